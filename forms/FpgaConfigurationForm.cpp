#include "forms/FpgaConfigurationForm.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/Dialogs.h"
#include "app/ProgramFiles.h"
#include "app/SharedState.h"
#include "forms/FormWidgets.h"
#include "link/CommandTable.h"
#include "link/CommsEngine.h"

namespace {

constexpr int kRowBootloader = 92;  // A 0x02

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}

}  // namespace

FPGA_configuration_frm::FPGA_configuration_frm(CommsEngine& engine, QWidget* parent)
    : QWidget(parent, Qt::Window),
      engine_(engine),
      upload_(engine),
      log_(programFileWritePath("\\FPGA_rbf_conversion.txt")) {
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
    ui.Label2 = wrapWithinWindow(named(new QLabel(ui.Frame1), "Label2"));
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
    log_.setDevice(log);
}

void FPGA_configuration_frm::setConversionPath(const QString& path) {
    log_.setPath(path);
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
    QByteArray conversion;
    const camera::Outcome loaded = upload_.load(path, &conversion);
    if (!loaded.ok) {
        camera::showMessages(engine_.dialogs(), loaded);
        return false;
    }
    camera::showMessages(engine_.dialogs(), log_.append(conversion));
    loadedText_ = "File " + QFileInfo(path).fileName() + " loaded";
    showLine(ui.Label2, loadedText_);
    camera::showMessages(engine_.dialogs(), loaded);  // a wrong size is loaded, with a warning
    return true;
}

void FPGA_configuration_frm::setBusy(bool busy) {
    configuring_ = busy;
    for (QWidget* w : {ui.Load_Config_file, ui.ConfigureFPGA_btn, ui.Close_FPGA_Config_form})
        w->setEnabled(!busy);
}

void FPGA_configuration_frm::ConfigureFPGA_btn_Click() {
    if (engine_.refuseWhileBusy()) return;
    ui.ProgressBar1->setValue(0);
    showLine(ui.Label2, loadedText_);  // an earlier run's "configured" must not outlive this one
    setBusy(true);
    ui.Label1->setText("Configuring FPGA in progress");
    ui.Label1->show();
    const camera::Outcome done =
        upload_.configure([this](int value) { ui.ProgressBar1->setValue(value); }, &lastResult_);
    if (done.ok) {
        ui.ProgressBar1->setValue(100);
        showLine(ui.Label2, "The FPGA is know configured");
    }
    camera::showMessages(engine_.dialogs(), done);
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
