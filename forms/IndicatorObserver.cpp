#include "forms/IndicatorObserver.h"

#include <QLabel>

#include "app/ProgramFiles.h"
#include "forms/FormWidgets.h"

IndicatorObserver::IndicatorObserver()
    : green_(programFilePath("\\GreenLED.bmp")),
      red_(programFilePath("\\RedLED.bmp")),
      grey_(programFilePath("\\GreyLED1.bmp")) {}

bool IndicatorObserver::lampsLoaded() const {
    return !green_.isNull() && !red_.isNull() && !grey_.isNull();
}

void IndicatorObserver::showIndicator(Indicator which) {
    shown_ = which;
    const QPixmap& lamp = which == Indicator::Green ? green_
                          : which == Indicator::Red ? red_
                                                    : grey_;
    for (QLabel* picture : lamps_) {
        picture->setPixmap(lamp);
        picture->setProperty("indicator", static_cast<int>(which));
    }
}

void IndicatorObserver::showProgress(bool visible, int value) {
    if (progress) progress(visible, value);
}

void IndicatorObserver::showCaption(bool visible, const QString& text) {
    if (caption) caption(visible, text);
}

void IndicatorObserver::showNote(const QString& text) {
    for (QLabel* line : noteLines_) showLine(line, text);
}

void IndicatorObserver::showTransferHealth(const LinkHealth& health, bool complete) {
    const QString text = transferHealthLine(health, complete);
    showNote(text);
    if (healthLine) healthLine(text);
}
