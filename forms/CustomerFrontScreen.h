#pragma once
// The start-up form "Customer front screen": port choice, connect, the camera's clock, and the
// way into the stored images and the advanced software.

#include <QWidget>

#include "forms/TimeDateLists.h"

struct AppContext;
class Form1;
class Orvik3_main_frm;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

class CustomerFrontScreen : public QWidget {
    Q_OBJECT
  public:
    CustomerFrontScreen(AppContext& context, Form1& form1, Orvik3_main_frm& advanced,
                        QWidget* parent = nullptr);

    // Start-up: lists, ports, the comms form and the advanced form are loaded, then this shows.
    void Form_Load();
    bool connected() const { return connected_; }

    void ConnectToCamera_btn_Click();
    void TimeDate_btn_Click();
    void Close_TimeDate_btn_Click();
    void DownloadImages_btn_Click();
    void AdvFunc_btn_Click();
    void Close_btn_Click();
    void ComPort_Set_btn_Click();
    void GetCus_Time_Click();
    void EditTimeAndDate_btn_Click();
    void CustomerSetTime_Click();

    TimeLists timeLists() const;
    QString portText() const;

    QPushButton* ConnectToCamera_btn = nullptr;
    QPushButton* TimeDate_btn = nullptr;
    QPushButton* DownloadImages_btn = nullptr;
    QPushButton* AdvFunc_btn = nullptr;
    QPushButton* Close_btn = nullptr;
    QComboBox* CommPort_combo = nullptr;
    QPushButton* ComPort_Set_btn = nullptr;
    QLabel* PortDevices_lbl = nullptr;
    QGroupBox* TimeDate_frame = nullptr;
    QPushButton* Close_TimeDate_btn = nullptr;
    QComboBox* CustomerYearCombo = nullptr;
    QComboBox* CustomerMonthCombo = nullptr;
    QComboBox* CustomerDayCombo = nullptr;
    QComboBox* CustomerHourCombo = nullptr;
    QComboBox* CustomerMinCombo = nullptr;
    QPushButton* GetCus_Time = nullptr;
    QPushButton* CustomerSetTime = nullptr;
    QPushButton* EditTimeAndDate_btn = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Picture5 = nullptr;
    QLabel* LastSeen_lbl = nullptr;  // after a connect: when the history last saw this camera

  private:
    void buildForm();
    QWidget* buildButtons();
    QWidget* buildPortFrame();
    QWidget* buildTimeDateFrame();
    QWidget* buildStatusLine();
    void connectHandlers();
    void loadPorts();
    void fillSerialNumberBox();

    AppContext& ctx_;
    Form1& form1_;
    Orvik3_main_frm& advanced_;
    bool connected_ = false;
};
