#include "tests/support/ScriptedDialogs.h"

#include <QEventLoop>
#include <QPrinter>
#include <QTimer>

MsgAnswer ScriptedDialogs::record(const QString& text, const QString& title, MsgIcon icon,
                                  MsgButtons buttons) {
    shown.push_back({text, title, icon});
    if (!answers.empty()) {
        const MsgAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    return buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel ? MsgAnswer::Yes
                                                                              : MsgAnswer::Ok;
}

MsgAnswer ScriptedDialogs::message(const QString& text, const QString& title, MsgIcon icon,
                                   MsgButtons buttons) {
    const MsgAnswer a = record(text, title, icon, buttons);
    if (answerAfterMs > 0) {  // a box's own event loop: events run, the caller does not
        QEventLoop userThinks;
        QTimer::singleShot(answerAfterMs, &userThinks, &QEventLoop::quit);
        userThinks.exec();
    }
    return a;
}

void ScriptedDialogs::ask(const QString& text, const QString& title, MsgIcon icon,
                          MsgButtons buttons, std::function<void(MsgAnswer)> answered) {
    const MsgAnswer a = record(text, title, icon, buttons);
    if (answerAfterMs <= 0) return answered(a);
    ++questionsOpen;
    QTimer::singleShot(answerAfterMs, &answersLive_, [this, a, answered = std::move(answered)] {
        --questionsOpen;
        answered(a);
    });
}

std::optional<FileChoice> ScriptedDialogs::openFile(const FileRequest& r) {
    fileRequests.push_back(r);
    if (files.empty()) return std::nullopt;
    auto f = files.front();
    files.pop_front();
    return f;
}

std::optional<FileChoice> ScriptedDialogs::saveFile(const FileRequest& r) {
    return openFile(r);
}

bool ScriptedDialogs::choosePrinter(QPrinter& printer) {
    if (printToPdf.isEmpty()) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(printToPdf);
    return true;
}

bool ScriptedDialogs::saw(const QString& text) const {
    for (const Shown& s : shown)
        if (s.text == text) return true;
    return false;
}
