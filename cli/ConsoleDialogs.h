#pragma once
// Dialogs for the command line: messages go to standard error with their titles, questions take
// their default answer, and file dialogs take the answers the command line was given.

#include <QTextStream>
#include <deque>

#include "app/Dialogs.h"

class ConsoleDialogs : public Dialogs {
  public:
    ConsoleDialogs();
    MsgAnswer message(const QString& text, const QString& title, MsgIcon icon,
                      MsgButtons buttons) override;
    std::optional<FileChoice> openFile(const FileRequest& request) override;
    std::optional<FileChoice> saveFile(const FileRequest& request) override;
    bool choosePrinter(QPrinter& printer) override;

    std::deque<FileChoice> files;  // answers for the next file dialogs, in order
    int messages = 0;

  private:
    QTextStream err_;
};
