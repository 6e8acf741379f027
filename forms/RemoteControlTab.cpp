#include "forms/RemoteControlTab.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "forms/FrameBuilders.h"

namespace advanced {

using frames::add;

RemoteControlTab::RemoteControlTab(Orvik3_main_frm& form, AppContext& context,
                                   camera::Camera& camera, Orvik3Controls& controls)
    : AdvancedTab(form, context, camera, controls) {
    auto* v = new QVBoxLayout(this);
    v->addWidget(makeLabel(this, "Remote_Label", "REMOTE FUNCTIONAL CONTROLS"));
    QGroupBox* frame = frames::row(this, "Frame6", "TRANSMITTER CHANNEL CONTROL");
    struct TxButton {
        QPushButton** slot;
        const char *name, *caption, *tip;
        int row;
    };
    const TxButton buttons[] = {
        {&ui.Tx_chn1_on, "Tx_chn1_on", "Tx chn 1 on", "Turn transmitter on, on channel 1", 101},
        {&ui.Tx_chn2_on, "Tx_chn2_on", "Tx chn 2 on", "Turn transmitter on, on channel 2", 102},
        {&ui.Tx_chn3_on, "Tx_chn3_on", "Tx chn 3 on", "Turn transmitter on, on channel 3", 103},
        {&ui.Tx_chn4_on, "Tx_chn4_on", "Tx chn 4 on", "Turn transmitter on, on channel 4", 104},
        {&ui.TxOff, "TxOff", "All Tx chn off", "Turn transmiter off", 105},
    };
    for (const TxButton& b : buttons) {
        *b.slot = add(frame, makeButton(frame, b.name, b.caption, b.tip));
        const int row = b.row;
        connect(*b.slot, &QPushButton::clicked, this, [this, row] { sendRow(row); });
    }
    v->addWidget(frame);
    ui.ZmIn = makeButton(this, "ZmIn", "Zoom ", "Make the camera zoom in or zoom out");
    connect(ui.ZmIn, &QPushButton::clicked, this, [this] { sendRow(camera::Rows::ZoomIn); });
    v->addWidget(ui.ZmIn);
    v->addStretch(1);
}

void RemoteControlTab::showChannels(int channels) {
    ui.TxOff->setEnabled(true);
    QPushButton* buttons[] = {ui.Tx_chn1_on, ui.Tx_chn2_on, ui.Tx_chn3_on, ui.Tx_chn4_on};
    for (int i = 0; i < 4; ++i) buttons[i]->setEnabled(i + 1 <= channels);
}

}  // namespace advanced
