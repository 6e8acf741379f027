#pragma once
// What the link shows while it works: the indicator, the transfer progress and its caption.
// The forms implement it; the link never touches a widget.

#include <QJsonObject>
#include <QString>

#include "app/SharedState.h"

enum class Indicator { Grey, Green, Red };

// What a verified download concluded, or nothing for a plain one.
inline QString verificationText(const LinkHealth& h) {
    if (h.downloads == 0) return {};
    if (h.undecided > 0)
        return QString("not verified: no two of three downloads agree on %1 packet%2")
            .arg(h.undecided)
            .arg(h.undecided == 1 ? "" : "s");
    if (h.decided > 0)
        return QString("verified after %1 differing packet%2 decided by a third download")
            .arg(h.decided)
            .arg(h.decided == 1 ? " was" : "s were");
    return "verified: two downloads agree";
}

// "2400 packets, 0 NAK1, 1 NAK2, 0 time-outs, 0 resends, 0 patched", and what a verification
// concluded.
inline QString healthText(const LinkHealth& h) {
    const QString verdict = verificationText(h);
    return QString("%1 packets, %2 NAK1, %3 NAK2, %4 time-outs, %5 resends, %6 patched")
               .arg(h.packets)
               .arg(h.nak1)
               .arg(h.nak2)
               .arg(h.timeouts)
               .arg(h.resends)
               .arg(h.patched) +
           (verdict.isEmpty() ? QString() : "; " + verdict);
}

// The health as --json prints it and the service history keeps it.
inline QJsonObject healthJson(const LinkHealth& h) {
    QJsonObject o{{"packets", h.packets},   {"nak1", h.nak1},       {"nak2", h.nak2},
                  {"timeouts", h.timeouts}, {"resends", h.resends}, {"patched", h.patched}};
    if (h.downloads > 0)
        o["verification"] = QJsonObject{{"downloads", h.downloads},
                                        {"decided", h.decided},
                                        {"undecided", h.undecided},
                                        {"verdict", verificationText(h)}};
    return o;
}

// The health line a front end shows when a transfer ends.
inline QString transferHealthLine(const LinkHealth& h, bool complete) {
    return QString("Last transfer%1: %2").arg(complete ? "" : " (incomplete)").arg(healthText(h));
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
