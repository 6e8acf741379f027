#pragma once
// What an operation tells its caller besides its data: whether it did what was asked, and the
// messages the design shows for it, in order. The desktop shows them in message boxes, the
// command line prints them; the operation itself never shows anything.

#include <QString>
#include <vector>

#include "app/Dialogs.h"

namespace camera {

struct Message {
    QString text;
    QString title = QStringLiteral("Orvik 3");
    MsgIcon icon = MsgIcon::None;
};

struct Outcome {
    bool ok = true;
    std::vector<Message> messages;

    Outcome& fail(Message m) {
        ok = false;
        messages.push_back(std::move(m));
        return *this;
    }
    Outcome& tell(Message m) {
        messages.push_back(std::move(m));
        return *this;
    }
};

inline void showMessage(Dialogs& dialogs, const Message& m) {
    dialogs.message(m.text, m.title, m.icon);
}

// Shows an outcome's messages through a dialogs implementation, in order.
inline void showMessages(Dialogs& dialogs, const Outcome& outcome) {
    for (const Message& m : outcome.messages) showMessage(dialogs, m);
}

}  // namespace camera
