#pragma once
// The five time and date lists (hour, minute, day, month, year). Three sets exist: the customer
// front screen's and two on the advanced form. Their entries and values are in status/TimeDate.h,
// the clock command in camera/Clock.h.

#include <QDateTime>
#include <QStringList>

#include "status/TimeDate.h"

class QComboBox;
struct SharedState;

struct TimeLists {
    QComboBox* hour = nullptr;
    QComboBox* minute = nullptr;
    QComboBox* day = nullptr;
    QComboBox* month = nullptr;
    QComboBox* year = nullptr;
};

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
