#pragma once
// Shows what the link reports: the green, red or grey lamp in the customer front screen's
// Picture5 and the advanced form's PictureResponse, and short notes in each form's status line.

#include <QPixmap>
#include <functional>
#include <vector>

#include "app/LinkObserver.h"

class QLabel;

class IndicatorObserver : public LinkObserver {
  public:
    // Loads "\GreenLED.bmp", "\RedLED.bmp" and "\GreyLED1.bmp" from the program's folder.
    IndicatorObserver();

    void addLamp(QLabel* picture) { lamps_.push_back(picture); }
    void addNoteLine(QLabel* line) { noteLines_.push_back(line); }
    // Transfer progress and caption go to whoever shows them.
    std::function<void(bool, int)> progress;
    std::function<void(bool, const QString&)> caption;
    // The command line prints each transfer's health line.
    std::function<void(const QString&)> healthLine;

    void showIndicator(Indicator which) override;
    void showProgress(bool visible, int value) override;
    void showCaption(bool visible, const QString& text) override;
    void showNote(const QString& text) override;
    void showTransferHealth(const LinkHealth& health, bool complete) override;

    Indicator shown() const { return shown_; }
    bool lampsLoaded() const;

  private:
    QPixmap green_, red_, grey_;
    std::vector<QLabel*> lamps_;
    std::vector<QLabel*> noteLines_;
    Indicator shown_ = Indicator::Grey;
};
