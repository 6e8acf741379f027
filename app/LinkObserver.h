#pragma once
// What the link shows while it works: the indicator, the transfer progress and its caption.
// The forms implement it; the link never touches a widget.

#include <QString>

#include "app/SharedState.h"

enum class Indicator { Grey, Green, Red };

// "2400 packets, 0 NAK1, 1 NAK2, 0 time-outs, 0 resends, 0 patched".
inline QString healthText(const LinkHealth& h) {
    return QString("%1 packets, %2 NAK1, %3 NAK2, %4 time-outs, %5 resends, %6 patched")
        .arg(h.packets)
        .arg(h.nak1)
        .arg(h.nak2)
        .arg(h.timeouts)
        .arg(h.resends)
        .arg(h.patched);
}

class LinkObserver {
  public:
    virtual ~LinkObserver() = default;
    virtual void showIndicator(Indicator) {}
    virtual void showProgress(bool /*visible*/, int /*value*/) {}
    virtual void showCaption(bool /*visible*/, const QString& /*text*/) {}
    // A short note for the window's status line (an exchange refused while another waits).
    virtual void showNote(const QString& /*text*/) {}
    // What a picture transfer went through, when it ends.
    virtual void showTransferHealth(const LinkHealth& /*health*/, bool /*complete*/) {}
};
