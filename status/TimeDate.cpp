#include "status/TimeDate.h"

namespace {

QStringList range(int first, int last, int width) {
    QStringList out;
    for (int v = first; v <= last; ++v) out << QString("%1").arg(v, width, 10, QChar('0'));
    return out;
}

}  // namespace

QStringList minuteEntries() {
    return range(1, 59, 2) << "00";
}
QStringList hourEntries() {
    return range(1, 23, 2) << "00";
}
QStringList dayEntries() {
    return range(1, 31, 2);
}
QStringList monthEntries() {
    return range(1, 12, 2);
}
QStringList yearEntries() {
    return range(2001, 2099, 4);
}

ClockValues clockValuesAt(const QDateTime& when) {
    return {when.time().hour(), when.time().minute(), when.date().day(), when.date().month(),
            when.date().year()};
}
