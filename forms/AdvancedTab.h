#pragma once
// What a tab of the advanced form works with: the program's context, the camera, the form's
// controls (a tab reaches another tab's controls only through them) and the form itself.

#include <QAbstractButton>
#include <QWidget>

#include "app/Dialogs.h"
#include "forms/AppContext.h"
#include "camera/Camera.h"
#include "camera/Outcome.h"
#include "camera/Settings.h"
#include "forms/AdvancedControls.h"
#include "link/CommsEngine.h"

class Orvik3_main_frm;
class QGridLayout;

namespace advanced {

class AdvancedTab : public QWidget {
  public:
    AdvancedTab(Orvik3_main_frm& form, AppContext& context, camera::Camera& camera,
                Orvik3Controls& controls)
        : form_(form), ctx_(context), camera_(camera), ui(controls) {}

  protected:
    // A click while an exchange is under way is refused with a note in the window.
    bool busy() { return ctx_.engine.refuseWhileBusy(); }
    void show(const camera::Outcome& outcome) { camera::showMessages(ctx_.dialogs, outcome); }
    // A button that sends one fixed row.
    void sendRow(int row) {
        if (!busy()) camera::sendFixedRow(camera_, row);
    }
    // The design asks before a reset it cannot undo.
    void confirmThenSend(const QString& question, int row) {
        if (busy()) return;
        if (ctx_.dialogs.message(question, "Error", MsgIcon::None, MsgButtons::YesNo) ==
            MsgAnswer::Yes)
            camera::sendFixedRow(camera_, row);
    }
    template <typename Tab>
    void on(QAbstractButton* button, void (Tab::*handler)()) {
        auto* tab = static_cast<Tab*>(this);
        connect(button, &QAbstractButton::clicked, this, [tab, handler] { (tab->*handler)(); });
    }

    Orvik3_main_frm& form_;
    AppContext& ctx_;
    camera::Camera& camera_;
    Orvik3Controls& ui;
};

}  // namespace advanced
