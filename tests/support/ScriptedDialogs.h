#pragma once

#include <QObject>
#include <deque>
#include <vector>

#include "app/Dialogs.h"

// Answers from a script and records every message; an unscripted question is answered
// with the first button's default (Ok or Yes). With answerAfterMs set, the user takes that long:
// message() returns only then, as a box run to its end would, and ask() returns at once and
// answers then.
class ScriptedDialogs : public Dialogs {
  public:
    struct Shown {
        QString text, title;
        MsgIcon icon;
    };
    std::deque<MsgAnswer> answers;
    std::deque<std::optional<FileChoice>> files;
    std::vector<Shown> shown;
    std::vector<FileRequest> fileRequests;
    QString printToPdf;  // when set, choosePrinter selects a PDF file here
    int answerAfterMs = 0;
    int questionsOpen = 0;  // asked and not yet answered

    MsgAnswer message(const QString& text, const QString& title, MsgIcon icon,
                      MsgButtons buttons) override;
    void ask(const QString& text, const QString& title, MsgIcon icon, MsgButtons buttons,
             std::function<void(MsgAnswer)> answered) override;
    std::optional<FileChoice> openFile(const FileRequest& request) override;
    std::optional<FileChoice> saveFile(const FileRequest& request) override;
    bool choosePrinter(QPrinter& printer) override;
    bool saw(const QString& text) const;

  private:
    MsgAnswer record(const QString& text, const QString& title, MsgIcon icon, MsgButtons buttons);
    QObject answersLive_;  // pending answers die with the dialogs
};
