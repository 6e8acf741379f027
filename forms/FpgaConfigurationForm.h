#pragma once
// The "FPGA configuration" form: loads a configuration file (appending its text conversion to
// "FPGA_rbf_conversion.txt") and sends it to the camera. While it is open the advanced form's
// controls that could start another exchange are disabled; the advanced form hands them over.

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

#include "camera/FpgaUpload.h"

class CommsEngine;
class QGroupBox;
class QIODevice;
class QLabel;
class QProgressBar;
class QPushButton;

class FPGA_configuration_frm : public QWidget {
    Q_OBJECT
  public:
    explicit FPGA_configuration_frm(CommsEngine& engine, QWidget* parent = nullptr);
    ~FPGA_configuration_frm() override;

    struct Controls {
        QPushButton* Load_Config_file = nullptr;
        QPushButton* ConfigureFPGA_btn = nullptr;
        QPushButton* Close_FPGA_Config_form = nullptr;
        QGroupBox* Frame1 = nullptr;
        QProgressBar* ProgressBar1 = nullptr;
        QLabel* Label1 = nullptr;
        QLabel* Label2 = nullptr;
    } ui;

    // The advanced form's controls disabled while this form is open (SSTab1, the service
    // buttons, the iris, gain, offset, humidity, heatsink and port controls...).
    void setAdvancedFormLocks(const QList<QWidget*>& widgets);
    // Where conversions go: an open device (the advanced form's conversion file), or else the
    // file at `path` (by default "FPGA_rbf_conversion.txt" in the program's folder), appended to.
    void setConversionLog(QIODevice* log);
    void setConversionPath(const QString& path);

    // The advanced form's "FPGA loader": opens the form, not modal.
    void FPGALoaderForm_Click();
    void Load_Config_file_Click();
    bool LoadConfigFile(const QString& path);
    void ConfigureFPGA_btn_Click();
    void Close_FPGA_Config_form_Click();

    FpgaUpload::Result lastResult() const { return lastResult_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void build();
    void setBusy(bool busy);
    void lockAdvancedForm(bool locked);

    CommsEngine& engine_;
    FpgaUpload upload_;
    QList<QPointer<QWidget>> locks_;
    FpgaConversionLog log_;
    QString loadedText_;  // "File ... loaded": what Label2 says until a configure succeeds
    bool configuring_ = false;
    FpgaUpload::Result lastResult_ = FpgaUpload::Result::PortFailed;
};

// The advanced form's "Bootloader mode": A 0x02. "Bootloader" does nothing.
void Bootloader_attention_Click(CommsEngine& engine);
inline void CallMicrochipBootloader_Click() {}
