#include "forms/StatusView.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "forms/AdvancedControls.h"
#include "forms/FormWidgets.h"
#include "status/StatusRecord.h"

namespace {

void select(QRadioButton* on, QRadioButton* off, bool value) {
    (value ? on : off)->setChecked(true);
}

}  // namespace

void showStatusInControls(Orvik3Controls& ui, const StatusRecord& r) {
    ui.TxOff->setEnabled(true);
    QPushButton* channels[] = {ui.Tx_chn1_on, ui.Tx_chn2_on, ui.Tx_chn3_on, ui.Tx_chn4_on};
    for (int i = 0; i < 4; ++i) channels[i]->setEnabled(r.TxChannelButtonEnabled(i + 1));
    select(ui.Zoom_On, ui.Zoom_Off, r.CustomerZoom);
    select(ui.TempSen_On, ui.TempSen_Off, r.CustomerSpotDisplay);
    select(ui.TempUnit_C, ui.TempUnit_F, r.CustomerDisplayCelsius);
    select(ui.Transmitter_On, ui.Transmitter_Off, r.CustomerTransmitter);
    select(ui.TimeDate_on, ui.TimeDate_off, r.CustomerTimeDate);
    // The camera does not report these four; the form shows their usual settings.
    for (QRadioButton* b : {ui.WhiteHot, ui.Temp_Bar_Off, ui.Graphics_Out, ui.WhiteText_btn})
        b->setChecked(true);
    select(ui.optC, ui.optF, r.UnitCelsius);
    ui.SetupImageColour->setCurrentIndex(r.ColourationNumber);
    ui.GainText->setText(QString::number(r.GainValue));
    ui.OffsetText->setText(QString::number(r.OffsetValue));
    showInList(ui.IrisPulseCombo, QString::number(r.IrisPulseWidthValue));
    showInList(ui.LCD_Color_user, QString::number(r.LcdColour));
    showInList(ui.LCD_Brightness_user, QString::number(r.LcdBrightness));
    showInList(ui.LCD_Contrast_user, QString::number(r.LcdContrast));
}
