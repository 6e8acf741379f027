#include "forms/PictureColourationFrame.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>

#include "forms/AppContext.h"
#include "camera/Pictures.h"
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
    camera::setCameraColouration(*ctx_.camera, SetupImageColour->currentIndex());
}

}  // namespace images
