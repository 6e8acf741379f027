#pragma once
// "PICTURE COLOURATION" on the "Setup" tab: the palette the camera itself shows its scene in,
// chosen from `SetupImageColour` and sent by "Select".

#include <QGroupBox>

struct AppContext;
class QComboBox;
class QPushButton;

namespace images {

class PictureColourationFrame : public QGroupBox {
    Q_OBJECT
  public:
    explicit PictureColourationFrame(AppContext& context, QWidget* parent = nullptr);

    // Sends 'P' and the letter of the chosen palette.
    void ColourSelectbtn_Click();

    QComboBox* SetupImageColour = nullptr;
    QPushButton* ColourSelectbtn = nullptr;

  private:
    AppContext& ctx_;
};

}  // namespace images
