#include "cli/ConsoleDialogs.h"

#include <cstdio>

ConsoleDialogs::ConsoleDialogs() : err_(stderr) {}

MsgAnswer ConsoleDialogs::message(const QString& text, const QString& title, MsgIcon,
                                  MsgButtons buttons) {
    ++messages;
    QString shown = text;
    shown.replace("\r\n", "\n");
    err_ << (title.isEmpty() ? QString("Orvik 3") : title) << ": " << shown << Qt::endl;
    return buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel ? MsgAnswer::Yes
                                                                              : MsgAnswer::Ok;
}
