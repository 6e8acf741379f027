#include "camera/Clock.h"

#include "app/SharedState.h"
#include "camera/Camera.h"
#include "link/CommandTable.h"
#include "link/CommsEngine.h"
#include "link/Packet.h"

namespace camera {

bool sendTimeDate(Camera& camera, const ClockValues& c) {
    SharedState& s = camera.state();
    TimeSetupConstants(s, c.hour, c.minute, c.day, c.month, c.year);
    s.CommandIndex = Row::TimeDate;
    camera.engine().Transmit();
    return s.LastReply.contains(cameraAck());
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
