#pragma once
// The camera's clock as the time lists hold it: the entries each list offers and the five
// values a clock command carries.

#include <QDateTime>
#include <QStringList>

struct ClockValues {
    int hour = 0, minute = 0, day = 1, month = 1, year = 2001;
};

// List entries: "01".."59" then "00"; "01".."23" then "00"; "01".."31"; "01".."12";
// "2001".."2099" (every year the camera's two digits can hold).
QStringList minuteEntries();
QStringList hourEntries();
QStringList dayEntries();
QStringList monthEntries();
QStringList yearEntries();

ClockValues clockValuesAt(const QDateTime& when);
