#include "forms/FpgaConfigurationForm.h"

#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/Dialogs.h"
#include "app/FileSave.h"
#include "app/ProgramFiles.h"
#include "app/SharedState.h"
#include "link/CommandTable.h"
#include "link/CommsEngine.h"
#include "uploads/UploadPackets.h"

namespace {

constexpr int kRowBootloader = 92;  // A 0x02

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}

QString stopMessage(FpgaUpload::Result r) {
    if (r == FpgaUpload::Result::StartRefused)
        return QString(
                   "The camera refused to start the FPGA configuration %1 times in a row. "
                   "The FPGA has not been configured.")
            .arg(FpgaUpload::kStartAttempts);
    if (r == FpgaUpload::Result::NoRequest)
        return "The camera stopped asking for configuration blocks: nothing came for 10 seconds. "
               "The FPGA has not been configured.";
    return "The serial port could not be used. The FPGA has not been configured.";
}

}  // namespace

FPGA_configuration_frm::FPGA_configuration_frm(CommsEngine& engine, QWidget* parent)
    : QWidget(parent, Qt::Window),
      engine_(engine),
      upload_(engine),
      logPath_(programFileWritePath("\\FPGA_rbf_conversion.txt")) {
    build();
    connect(ui.Load_Config_file, &QPushButton::clicked, this, [this] { Load_Config_file_Click(); });
    connect(ui.ConfigureFPGA_btn, &QPushButton::clicked, this,
            [this] { ConfigureFPGA_btn_Click(); });
    connect(ui.Close_FPGA_Config_form, &QPushButton::clicked, this,
            [this] { Close_FPGA_Config_form_Click(); });
}

FPGA_configuration_frm::~FPGA_configuration_frm() = default;

void FPGA_configuration_frm::build() {
    setObjectName("FPGA_configuration_frm");
    setWindowTitle("FPGA configuration");
    auto* v = new QVBoxLayout(this);
    auto* buttons = new QHBoxLayout;
    ui.Load_Config_file = button(this, "Load_Config_file", "Load config file");
    ui.ConfigureFPGA_btn = button(this, "ConfigureFPGA_btn", "Config FPGA");
    ui.Close_FPGA_Config_form = button(this, "Close_FPGA_Config_form", "Close form");
    for (QWidget* w : {ui.Load_Config_file, ui.ConfigureFPGA_btn, ui.Close_FPGA_Config_form})
        buttons->addWidget(w);
    v->addLayout(buttons);
    ui.Frame1 = new QGroupBox("FPGA configureation progress", this);
    ui.Frame1->setObjectName("Frame1");
    auto* frame = new QVBoxLayout(ui.Frame1);
    ui.ProgressBar1 = new QProgressBar(ui.Frame1);
    ui.ProgressBar1->setObjectName("ProgressBar1");
    ui.ProgressBar1->setRange(0, 100);
    ui.ProgressBar1->setValue(0);
    ui.Label1 = new QLabel(ui.Frame1);
    ui.Label1->setObjectName("Label1");
    ui.Label2 = new QLabel(ui.Frame1);
    ui.Label2->setObjectName("Label2");
    frame->addWidget(ui.ProgressBar1);
    frame->addWidget(ui.Label1);
    frame->addWidget(ui.Label2);
    v->addWidget(ui.Frame1);
}

void FPGA_configuration_frm::setAdvancedFormLocks(const QList<QWidget*>& widgets) {
    locks_.clear();
    for (QWidget* w : widgets) locks_.append(w);
}

void FPGA_configuration_frm::setConversionLog(QIODevice* log) {
    log_ = log;
}

void FPGA_configuration_frm::setConversionPath(const QString& path) {
    logPath_ = path;
    ownLog_.reset();
    logFailureTold_ = false;
}

void FPGA_configuration_frm::lockAdvancedForm(bool locked) {
    for (const QPointer<QWidget>& w : locks_)
        if (w) w->setEnabled(!locked);
}

// Locked on every opening, not only the first: a form shown again is locked again.
void FPGA_configuration_frm::FPGALoaderForm_Click() {
    ui.Label1->hide();
    lockAdvancedForm(true);
    show();
}

void FPGA_configuration_frm::Load_Config_file_Click() {
    ui.ProgressBar1->setValue(0);
    FileRequest request;
    request.title = "Open";
    request.filter = "RBF Files (*.rbf)|*.rbf";
    const std::optional<FileChoice> choice = engine_.dialogs().openFile(request);
    if (choice) LoadConfigFile(choice->path);
}

bool FPGA_configuration_frm::LoadConfigFile(const QString& path) {
    const QString title = QFileInfo(path).fileName();
    QFile file(path);
    QString why;
    if (!openToRead(file, path, &why)) {
        engine_.dialogs().message(why, "Orvik 3: Error", MsgIcon::Exclamation);
        return false;
    }
    // Only what the camera takes is read, so a huge file costs no memory; an empty one holds no
    // configuration at all and would load as zeros.
    const qint64 size = file.size();
    const QByteArray bytes = file.read(uploads::kFpgaFileSize);
    if (size == 0 || bytes.size() < std::min<qint64>(size, uploads::kFpgaFileSize)) {
        engine_.dialogs().message(
            size == 0 ? QString("\"%1\" is empty. Nothing has been loaded.").arg(title)
                      : QString("\"%1\" could not be read: %2").arg(title, file.errorString()),
            "Orvik 3: Error", MsgIcon::Exclamation);
        return false;
    }
    SharedState& s = engine_.state();
    s.RbfData = RbfDataFromFile(bytes);
    appendConversion(uploads::FpgaConversionText(s.RbfData));
    ui.Label2->setText("File " + title + " loaded");
    if (size != uploads::kFpgaFileSize) warnWrongSize(title, size);
    return true;
}

void FPGA_configuration_frm::warnWrongSize(const QString& title, qint64 size) {
    engine_.dialogs().message(
        QString("\"%1\" is %2 bytes long; an FPGA configuration file has %3 bytes. It has been "
                "loaded all the same, %4.")
            .arg(title)
            .arg(size)
            .arg(uploads::kFpgaFileSize)
            .arg(size < uploads::kFpgaFileSize ? "filled up with zeros" : "cut to that length"),
        "Orvik 3", MsgIcon::Exclamation);
}

// A conversion file that cannot be written is reported once; loading goes on without it.
void FPGA_configuration_frm::appendConversion(const QByteArray& text) {
    QIODevice* out = log_;
    if (!out) {
        if (!ownLog_) {
            ownLog_ = std::make_unique<QFile>(logPath_);
            if (!ownLog_->open(QIODevice::WriteOnly | QIODevice::Append)) {
                if (!logFailureTold_)
                    engine_.dialogs().message(
                        QString("The FPGA conversion file %1 could not be written: %2")
                            .arg(logPath_, ownLog_->errorString()),
                        "Orvik 3: Error", MsgIcon::Exclamation);
                logFailureTold_ = true;
                return;
            }
        }
        out = ownLog_.get();
    }
    if (out->write(text) != text.size() && !logFailureTold_) {
        engine_.dialogs().message(
            QString("The FPGA conversion file could not be written: %1").arg(out->errorString()),
            "Orvik 3: Error", MsgIcon::Exclamation);
        logFailureTold_ = true;
    }
    if (auto* f = qobject_cast<QFile*>(out)) f->flush();
}

void FPGA_configuration_frm::setBusy(bool busy) {
    configuring_ = busy;
    for (QWidget* w : {ui.Load_Config_file, ui.ConfigureFPGA_btn, ui.Close_FPGA_Config_form})
        w->setEnabled(!busy);
}

void FPGA_configuration_frm::ConfigureFPGA_btn_Click() {
    if (engine_.refuseWhileBusy()) return;
    ui.ProgressBar1->setValue(0);
    setBusy(true);
    ui.Label1->setText("Configuring FPGA in progress");
    ui.Label1->show();
    lastResult_ = upload_.Configure([this](int value) { ui.ProgressBar1->setValue(value); });
    if (lastResult_ == FpgaUpload::Result::Configured) {
        ui.ProgressBar1->setValue(100);
        ui.Label2->setText("The FPGA is know configured");
    } else {
        engine_.dialogs().message(stopMessage(lastResult_), "Orvik 3", MsgIcon::Exclamation);
    }
    ui.Label1->hide();
    setBusy(false);
    lockAdvancedForm(false);
}

void FPGA_configuration_frm::Close_FPGA_Config_form_Click() {
    lockAdvancedForm(false);
    hide();
}

// The window's own close button closes it as "Close form" does, and not while configuring.
void FPGA_configuration_frm::closeEvent(QCloseEvent* event) {
    if (configuring_) {
        event->ignore();
        return;
    }
    lockAdvancedForm(false);
    event->accept();
}

void Bootloader_attention_Click(CommsEngine& engine) {
    if (engine.refuseWhileBusy()) return;
    Constants(engine.state());
    engine.state().CommandIndex = kRowBootloader;
    engine.Transmit();
}
