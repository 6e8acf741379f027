#include "forms/TimeDateLists.h"

#include <QComboBox>
#include <QPalette>
#include <array>

#include "app/SharedState.h"
#include "link/CommandTable.h"

namespace {

QString twoDigits(int v) {
    return QString("%1").arg(v, 2, 10, QChar('0'));
}

std::array<QComboBox*, 5> all(const TimeLists& l) {
    return {l.hour, l.minute, l.day, l.month, l.year};
}

// The background of a list that shows a value it will not let you change.
const QColor kInactiveCaptionText(0x43, 0x4E, 0x54);

}  // namespace

void fillTimeLists(const TimeLists& l) {
    l.minute->addItems(minuteEntries());
    l.hour->addItems(hourEntries());
    l.day->addItems(dayEntries());
    l.month->addItems(monthEntries());
    l.year->addItems(yearEntries());
}

void clearTimeLists(const TimeLists& l) {
    for (QComboBox* c : all(l)) c->clear();
}

void enableTimeLists(const TimeLists& l, bool enabled, ListBackground background) {
    for (QComboBox* c : all(l)) {
        c->setEnabled(enabled);
        if (background == ListBackground::Unchanged) continue;
        QPalette p = c->palette();
        const QColor colour =
            background == ListBackground::White ? QColor(Qt::white) : kInactiveCaptionText;
        for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            p.setColor(group, QPalette::Base, colour);
            p.setColor(group, QPalette::Button, colour);
        }
        c->setPalette(p);
    }
}

void selectClock(const TimeLists& l, const ClockValues& c) {
    auto pick = [](QComboBox* combo, const QString& text) {
        const int i = combo->findText(text);
        if (i >= 0) combo->setCurrentIndex(i);
    };
    pick(l.hour, twoDigits(c.hour));
    pick(l.minute, twoDigits(c.minute));
    pick(l.day, twoDigits(c.day));
    pick(l.month, twoDigits(c.month));
    pick(l.year, QString::number(c.year));
}

void GetTimeFromPC(const TimeLists& l, SharedState& s, const QDateTime& now) {
    enableTimeLists(l, false);
    const ClockValues c = clockValuesAt(now);
    selectClock(l, c);
    s.PcHour = c.hour;
    s.PcMinute = c.minute;
    s.PcDay = c.day;
    s.PcMonth = c.month;
    s.PcYear = c.year;
}

ClockValues readTimeLists(const TimeLists& l) {
    auto value = [](QComboBox* c) { return static_cast<int>(textValue(c->currentText())); };
    return {value(l.hour), value(l.minute), value(l.day), value(l.month), value(l.year)};
}
