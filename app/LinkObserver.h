#pragma once
// What the link shows while it works: the indicator, the transfer progress and its caption.
// The forms implement it; the link never touches a widget.

#include <QString>

enum class Indicator { Grey, Green, Red };

class LinkObserver {
public:
    virtual ~LinkObserver() = default;
    virtual void showIndicator(Indicator) {}
    virtual void showProgress(bool /*visible*/, int /*value*/) {}
    virtual void showCaption(bool /*visible*/, const QString& /*text*/) {}
    // A short note for the window's status line (an exchange refused while another waits).
    virtual void showNote(const QString& /*text*/) {}
};
