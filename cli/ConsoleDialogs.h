#pragma once
// Dialogs for the command line: messages go to standard error with their titles and questions
// take their default answer. No command asks for a file or a printer through them.

#include <QTextStream>

#include "app/Dialogs.h"

class ConsoleDialogs : public Dialogs {
  public:
    ConsoleDialogs();
    MsgAnswer message(const QString& text, const QString& title, MsgIcon icon,
                      MsgButtons buttons) override;
    // Nothing waits on a person here: the default answer comes at once.
    void ask(const QString& text, const QString& title, MsgIcon icon, MsgButtons buttons,
             std::function<void(MsgAnswer)> answered) override {
        answered(message(text, title, icon, buttons));
    }
    std::optional<FileChoice> openFile(const FileRequest&) override { return std::nullopt; }
    std::optional<FileChoice> saveFile(const FileRequest&) override { return std::nullopt; }
    bool choosePrinter(QPrinter&) override { return false; }

    int messages = 0;

  private:
    QTextStream err_;
};
