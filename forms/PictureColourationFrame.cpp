#include "forms/PictureColourationFrame.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>

#include "app/SharedState.h"
#include "camera/AppContext.h"
#include "link/CommandTable.h"
#include "link/CommsEngine.h"

namespace images {

PictureColourationFrame::PictureColourationFrame(AppContext& context, QWidget* parent)
    : QGroupBox(QStringLiteral("PICTURE COLOURATION"), parent), ctx_(context) {
    setObjectName("Colouration_Frame");
    auto* row = new QHBoxLayout(this);
    SetupImageColour = new QComboBox(this);
    SetupImageColour->setObjectName("SetupImageColour");
    ColourSelectbtn = new QPushButton(QStringLiteral("Select"), this);
    ColourSelectbtn->setObjectName("ColourSelectbtn");
    ColourSelectbtn->setToolTip(QStringLiteral("Change the cameras colour pallet"));
    row->addWidget(SetupImageColour);
    row->addWidget(ColourSelectbtn);
    connect(ColourSelectbtn, &QPushButton::clicked, this, [this] { ColourSelectbtn_Click(); });
}

void PictureColourationFrame::ColourSelectbtn_Click() {
    if (ctx_.engine.refuseWhileBusy()) return;
    const int index = SetupImageColour->currentIndex();
    if (index < 0 || index > 7) return;  // no palette of the camera's to ask for
    SharedState& s = ctx_.state;
    s.CommandIndex = Row::PictureColour;
    Constants(s);
    PictureColour_Constants(s, index);
    ctx_.engine.Transmit();
}

}  // namespace images
