#pragma once
// A status record shown in the advanced form's controls: the option pairs, the unit, the
// colouration, gain and offset, iris, LCD and the transmitter channel buttons.

struct Orvik3Controls;
struct StatusRecord;

// Selecting the option pairs raises their click events: call it with StatusReadBusy set, so
// their handlers hold back.
void showStatusInControls(Orvik3Controls& ui, const StatusRecord& r);
