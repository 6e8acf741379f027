#pragma once
// "Set starting values": puts a new camera into its known starting configuration in one run and
// writes it to the camera's non-volatile memory. The run always goes to the end: a command the
// camera refuses shows on the link lamp and the next one follows.

#include <QString>
#include <functional>

#include "camera/Settings.h"
#include "status/TimeDate.h"

struct StatusRecord;

namespace camera {

class Camera;

// The values the run sends; the form shows them in its controls afterwards.
namespace Start {
inline const QString Gain = "40", Offset = "200", IrisWidth = "8", Lcd = "5", TxChannels = "4";
constexpr int PictureColour = 0;
}  // namespace Start

// `clock` is the PC's time as the options lists hold it; `options` the "Send options" choices
// (its time/date display goes out on). `progress` gets the bar's steps 4 to 12.
void sendStartingValues(Camera& camera, const ClockValues& clock, DisplayOptions options,
                        const std::function<void(int)>& progress = {});

// "gain 40, offset 150, ..., thresholds 673 641 473 526 379 424": what a status read shows of
// the starting values, and whether it shows the values the run sets.
QString startingValuesText(const StatusRecord& record);
bool showsStartingValues(const StatusRecord& record);

}  // namespace camera
