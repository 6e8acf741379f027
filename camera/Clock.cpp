#include "camera/Clock.h"

#include "app/SharedState.h"
#include "camera/Camera.h"
#include "camera/Recording.h"
#include "link/CommandTable.h"
#include "link/CommsEngine.h"
#include "link/Packet.h"

namespace camera {

bool sendTimeDate(Camera& camera, const ClockValues& c) {
    SharedState& s = camera.state();
    TimeSetupConstants(s, c.hour, c.minute, c.day, c.month, c.year);
    s.CommandIndex = Row::TimeDate;
    s.LastReply.clear();
    camera.engine().Transmit();
    const bool ack = s.LastReply.contains(cameraAck());
    recordEvent(camera, "clock", ack,
                {{"set to", QString("%1-%2-%3 %4:%5")
                                .arg(c.year)
                                .arg(c.month, 2, 10, QChar('0'))
                                .arg(c.day, 2, 10, QChar('0'))
                                .arg(c.hour, 2, 10, QChar('0'))
                                .arg(c.minute, 2, 10, QChar('0'))},
                 {"acknowledged", ack}});
    return ack;
}

ClockValues takePcClock(Camera& camera, const QDateTime& now) {
    const ClockValues c = clockValuesAt(now);
    SharedState& s = camera.state();
    s.PcHour = c.hour;
    s.PcMinute = c.minute;
    s.PcDay = c.day;
    s.PcMonth = c.month;
    s.PcYear = c.year;
    return c;
}

}  // namespace camera
