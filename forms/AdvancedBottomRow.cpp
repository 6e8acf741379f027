// The advanced form's row under the tabs: the port frame, the "Response from the camera" lamp,
// the serial number box, "Close", and the note line under them all.
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "forms/AdvancedControls.h"
#include "forms/FormWidgets.h"

QWidget* buildAdvancedBottomRow(Orvik3Controls& ui, QWidget* parent) {
    auto* box = new QWidget(parent);
    auto* column = new QVBoxLayout(box);
    auto* row = new QHBoxLayout;
    column->addLayout(row);
    ui.Comms = makeFrame(box, "Comms", "Com port");
    auto* ports = new QGridLayout(ui.Comms);
    ui.CommPort_combo = makeList(ui.Comms, "CommPort_combo", true);
    ui.ComPort_Set_btn = makeButton(ui.Comms, "ComPort_Set_btn", "Set");
    ui.PortDevices_lbl = wrapWithinWindow(makeLabel(ui.Comms, "PortDevices_lbl", QString()));
    ports->addWidget(ui.CommPort_combo, 0, 0);
    ports->addWidget(ui.ComPort_Set_btn, 0, 1);
    ports->addWidget(ui.PortDevices_lbl, 1, 0, 1, 2);
    row->addWidget(ui.Comms);

    auto* link = new QWidget(box);
    auto* linkRow = new QVBoxLayout(link);
    linkRow->addWidget(makeLabel(link, "PictureResponse_Label", "Response from the camera"));
    ui.PictureResponse = makeLabel(link, "PictureResponse", QString());
    linkRow->addWidget(ui.PictureResponse);
    row->addWidget(link);

    ui.txtSerial = named(new QPlainTextEdit(box), "txtSerial");
    ui.txtSerial->setReadOnly(true);
    ui.txtSerial->setMaximumHeight(60);
    row->addWidget(ui.txtSerial);
    ui.ServiceHistory_btn = makeButton(box, "ServiceHistory_btn", "Service history",
                                       "The cameras this bench has seen and what changed");
    ui.CheckLine_btn = makeButton(box, "CheckLine_btn", "Check line",
                                  "When the camera does not answer: adapter, cable, speed, camera");
    // One above the other, so the row grows no wider.
    auto* tools = new QVBoxLayout;
    tools->addWidget(ui.ServiceHistory_btn);
    tools->addWidget(ui.CheckLine_btn);
    row->addLayout(tools);
    ui.Close_btn = makeButton(box, "Close_btn", "Close", "This will close the program");
    row->addWidget(ui.Close_btn);
    // The note line runs under the whole row, so a long note never squeezes the boxes above.
    ui.Note_lbl = wrapWithinWindow(makeLabel(box, "Note_lbl", QString()));
    column->addWidget(ui.Note_lbl);
    return box;
}
