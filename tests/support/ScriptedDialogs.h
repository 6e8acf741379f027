#pragma once

#include <deque>
#include <vector>

#include "app/Dialogs.h"

// Answers from a script and records every message; an unscripted question is answered
// with the first button's default (Ok or Yes).
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

    MsgAnswer message(const QString& text, const QString& title, MsgIcon icon,
                      MsgButtons buttons) override;
    std::optional<FileChoice> openFile(const FileRequest& request) override;
    std::optional<FileChoice> saveFile(const FileRequest& request) override;
    bool choosePrinter(QPrinter& printer) override;
    bool saw(const QString& text) const;
};
