// Building the customer front screen's controls.
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "forms/CustomerFrontScreen.h"
#include "forms/FormWidgets.h"

namespace {

QLabel* boldLabel(QWidget* parent, const QString& name, const QString& caption) {
    QLabel* label = makeLabel(parent, name, caption);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    return label;
}

// A caption over a pick-only list.
QComboBox* captionedList(QGridLayout* grid, int column, QWidget* parent, const QString& labelName,
                         const QString& caption, const QString& listName) {
    grid->addWidget(makeLabel(parent, labelName, caption), 0, column);
    QComboBox* list = makeList(parent, listName);
    grid->addWidget(list, 1, column);
    return list;
}

}  // namespace

void CustomerFrontScreen::buildForm() {
    auto* layout = new QGridLayout(this);
    auto* pictures = new QHBoxLayout;
    for (int i = 1; i <= 4; ++i)
        pictures->addWidget(makeLabel(this, QString("Picture%1").arg(i), {}));
    layout->addLayout(pictures, 0, 0, 1, 2);
    layout->addWidget(buildButtons(), 1, 0);
    layout->addWidget(buildPortFrame(), 2, 0);
    auto* frame1 = makeFrame(this, "Frame1(0)", QString());
    frame1->setToolTip("This button will connect to the camera");
    auto* inFrame1 = new QVBoxLayout(frame1);
    inFrame1->addWidget(buildTimeDateFrame());
    layout->addWidget(frame1, 1, 1, 2, 1);
    layout->addWidget(buildStatusLine(), 3, 0, 1, 2);
    LastSeen_lbl = wrapWithinWindow(makeLabel(this, "LastSeen_lbl", QString()));
    layout->addWidget(LastSeen_lbl, 6, 0, 1, 2);
    layout->addWidget(makeLabel(this, "Label1",
                                "Connect the camera to this PC's serial port, then press "
                                "\"CONNECT TO CAMERA\"."),
                      4, 0, 1, 2);
    layout->addWidget(
        makeLabel(this, "Label2(0)", QStringLiteral("Orvik\u00ae3 Customer software version 3.0 ")),
        5, 0, 1, 2);
}

QWidget* CustomerFrontScreen::buildButtons() {
    auto* box = new QWidget(this);
    auto* v = new QVBoxLayout(box);
    ConnectToCamera_btn =
        makeButton(box, "ConnectToCamera_btn", "CONNECT TO CAMERA",
                   QStringLiteral("This will connect the software to your Orvik\u00ae3 camera"));
    TimeDate_btn = makeButton(box, "TimeDate_btn", "SET TIME DATE",
                              QStringLiteral("Set the time and date on your Orvik\u00ae3 camera"));
    DownloadImages_btn =
        makeButton(box, "DownloadImages_btn", "STORED IMAGES",
                   QStringLiteral("Download the stored images from your Orvik\u00ae3 camera"));
    AdvFunc_btn = makeButton(
        box, "AdvFunc_btn", "ADVANCED SOFTWARE",
        QStringLiteral("This will run the advanced software for the Orvik\u00ae3 camera"));
    Close_btn = makeButton(box, "Close_btn", "Exit", "This will close this program");
    // Hidden once connected, it keeps its place: the buttons under it would otherwise move up
    // under the pointer, and a click meant for "ADVANCED SOFTWARE" would land on "Exit".
    QSizePolicy keepPlace = ConnectToCamera_btn->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    ConnectToCamera_btn->setSizePolicy(keepPlace);
    for (QPushButton* b :
         {ConnectToCamera_btn, TimeDate_btn, DownloadImages_btn, AdvFunc_btn, Close_btn})
        v->addWidget(b);
    return box;
}

QWidget* CustomerFrontScreen::buildPortFrame() {
    QGroupBox* frame = makeFrame(this, "Frame2(0)", "Com port");
    auto* grid = new QGridLayout(frame);
    CommPort_combo = makeList(frame, "CommPort_combo", true);
    CommPort_combo->setEditText("Combo1");
    ComPort_Set_btn = makeButton(frame, "ComPort_Set_btn", "Set");
    // Which device each number is.
    PortDevices_lbl = wrapWithinWindow(makeLabel(frame, "PortDevices_lbl", QString()));
    grid->addWidget(CommPort_combo, 0, 0);
    grid->addWidget(ComPort_Set_btn, 0, 1);
    grid->addWidget(PortDevices_lbl, 1, 0, 1, 2);
    return frame;
}

QWidget* CustomerFrontScreen::buildTimeDateFrame() {
    TimeDate_frame = makeFrame(this, "TimeDate_frame", "SET TIME AND DATE");
    auto* v = new QVBoxLayout(TimeDate_frame);
    v->addWidget(boldLabel(TimeDate_frame, "Label7", "SET TIME AND DATE"));

    QGroupBox* date = makeFrame(TimeDate_frame, "Frame1(1)", "DATE");
    auto* dateGrid = new QGridLayout(date);
    CustomerYearCombo = captionedList(dateGrid, 0, date, "Label4", "YEAR", "CustomerYearCombo");
    CustomerMonthCombo = captionedList(dateGrid, 1, date, "Label3", "MONTH", "CustomerMonthCombo");
    CustomerDayCombo = captionedList(dateGrid, 2, date, "Label2(1)", "DAYS", "CustomerDayCombo");
    v->addWidget(date);

    QGroupBox* time = makeFrame(TimeDate_frame, "Frame2(1)", "TIME");
    auto* timeGrid = new QGridLayout(time);
    CustomerHourCombo = captionedList(timeGrid, 0, time, "Label6", "HOUR", "CustomerHourCombo");
    CustomerMinCombo = captionedList(timeGrid, 1, time, "Label5", "MINUTES", "CustomerMinCombo");
    v->addWidget(time);

    QGroupBox* buttons = makeFrame(TimeDate_frame, "Frame3", "CONTROL BUTTONS");
    auto* row = new QHBoxLayout(buttons);
    GetCus_Time = makeButton(buttons, "GetCus_Time", "Get time from the PC",
                             "Get the time and date from the PC");
    CustomerSetTime =
        makeButton(buttons, "CustomerSetTime", "Send", "Send time and date setting to the camera");
    EditTimeAndDate_btn = makeButton(buttons, "EditTimeAndDate_btn", "Edit time and date",
                                     "Enable time and date frames, to edit values");
    for (QPushButton* b : {GetCus_Time, CustomerSetTime, EditTimeAndDate_btn}) row->addWidget(b);
    v->addWidget(buttons);
    Close_TimeDate_btn =
        makeButton(TimeDate_frame, "Close_TimeDate_btn", "Close", "Close edit time and date frame");
    v->addWidget(Close_TimeDate_btn);
    return TimeDate_frame;
}

QWidget* CustomerFrontScreen::buildStatusLine() {
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->addWidget(boldLabel(box, "Label8", "Response from the camera"));
    Picture5 = makeLabel(box, "Picture5", QString());
    row->addWidget(Picture5);
    Label9 = wrapWithinWindow(makeLabel(box, "Label9", QString()));
    row->addWidget(Label9, 1);
    return box;
}

void CustomerFrontScreen::connectHandlers() {
    auto on = [this](QPushButton* b, void (CustomerFrontScreen::*handler)()) {
        connect(b, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
    };
    on(ConnectToCamera_btn, &CustomerFrontScreen::ConnectToCamera_btn_Click);
    on(TimeDate_btn, &CustomerFrontScreen::TimeDate_btn_Click);
    on(Close_TimeDate_btn, &CustomerFrontScreen::Close_TimeDate_btn_Click);
    on(DownloadImages_btn, &CustomerFrontScreen::DownloadImages_btn_Click);
    on(AdvFunc_btn, &CustomerFrontScreen::AdvFunc_btn_Click);
    on(Close_btn, &CustomerFrontScreen::Close_btn_Click);
    on(ComPort_Set_btn, &CustomerFrontScreen::ComPort_Set_btn_Click);
    on(GetCus_Time, &CustomerFrontScreen::GetCus_Time_Click);
    on(EditTimeAndDate_btn, &CustomerFrontScreen::EditTimeAndDate_btn_Click);
    on(CustomerSetTime, &CustomerFrontScreen::CustomerSetTime_Click);
}
