#pragma once
// Dialogs as the program uses them: messages with an answer, file choice and printing.
// The real ones are Qt dialogs; tests script the answers and record what was shown.

#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

class QPrinter;

enum class MsgIcon { None, Information, Exclamation, Critical, Question };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No };

struct FileRequest {
    QString title;
    QString filter;       // "Bitmap (*.bmp)|*.bmp" style pairs joined by '|'
    int filterIndex = 1;  // 1-based, as the design numbers filters
    QString initialName;
};

struct FileChoice {
    QString path;
    int filterIndex = 1;
};

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    virtual MsgAnswer message(const QString& text, const QString& title, MsgIcon icon,
                              MsgButtons buttons = MsgButtons::Ok) = 0;
    // A question that can come while an exchange runs: it must not hold the exchange up (a box
    // run to its end inside the engine's wait lets the camera's time-out pass), so it returns at
    // once and `answered` is called when the user answers.
    virtual void ask(const QString& text, const QString& title, MsgIcon icon, MsgButtons buttons,
                     std::function<void(MsgAnswer)> answered) = 0;
    virtual std::optional<FileChoice> openFile(const FileRequest& request) = 0;
    virtual std::optional<FileChoice> saveFile(const FileRequest& request) = 0;
    // Lets the user choose a printer; false when cancelled.
    virtual bool choosePrinter(QPrinter& printer) = 0;
};
