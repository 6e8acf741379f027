#pragma once
// The five time and date lists (hour, minute, day, month, year) and the clock command sent from
// them. Three sets exist: the customer front screen's and two on the advanced form.

#include <QDateTime>
#include <QStringList>

class QComboBox;
class CommsEngine;
struct SharedState;

struct TimeLists {
    QComboBox* hour = nullptr;
    QComboBox* minute = nullptr;
    QComboBox* day = nullptr;
    QComboBox* month = nullptr;
    QComboBox* year = nullptr;
};

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

// Fills the lists, in the order minutes, hours, days, months, years.
void fillTimeLists(const TimeLists& lists);
void clearTimeLists(const TimeLists& lists);
// Enables or disables the five lists; a background colour is given only when asked for.
enum class ListBackground { Unchanged, White, Inactive };
void enableTimeLists(const TimeLists& lists, bool enabled,
                     ListBackground background = ListBackground::Unchanged);

// Disables the lists and selects the clock's values; a year without an entry leaves the year
// list as it was. The values are kept in the shared PC clock fields.
void GetTimeFromPC(const TimeLists& lists, SharedState& s,
                   const QDateTime& now = QDateTime::currentDateTime());

// Selects the entries naming these values (two digits, four for the year).
void selectClock(const TimeLists& lists, const ClockValues& clock);
ClockValues readTimeLists(const TimeLists& lists);

// Writes the clock row from the values and sends it.
void SendTimeDate(CommsEngine& engine, const ClockValues& clock);
