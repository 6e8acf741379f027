#include "cli/CommandLineSettings.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTextStream>

#include "app/SharedState.h"
#include "cli/CommandLine.h"
#include "forms/Program.h"
#include "status/TypedBytes.h"

namespace {

const QString kRangeError = "console addresses and bytes are whole numbers from 0 to 255";

QTextStream& out() {
    static QTextStream s(stdout);
    return s;
}

void fail(const QString& text) {
    QTextStream(stderr) << "Orvik 3: " << text << Qt::endl;
}

// The console's words after "read" or "write": numbers up to the next option.
QString takeNumbers(const QStringList& args, int from, int& end, SettingsCommand& c) {
    end = from;
    while (end < args.size() && !args[end].startsWith("--")) ++end;
    std::vector<int> values;
    for (int i = from; i < end; ++i) {
        const std::optional<uint8_t> v = byteEntry(args[i]);
        if (!v) return kRangeError;
        values.push_back(*v);
    }
    const bool read = c.kind == SettingsCommand::Kind::ConsoleRead;
    if (read && values.size() != 1) return "console read takes one address";
    if (!read && (values.size() < 2 || values.size() > 4))
        return "console write takes an address and one to three bytes";
    c.address = values.front();
    c.bytes.assign(values.begin() + 1, values.end());
    return {};
}

void parseConsole(QStringList& args, int at, SettingsCommand& c) {
    const QString mode = at + 1 < args.size() ? args[at + 1] : QString();
    using K = SettingsCommand::Kind;
    c.kind = mode == "read" ? K::ConsoleRead : mode == "write" ? K::ConsoleWrite : K::None;
    if (c.kind == K::None) {
        c.error = "console takes read or write";
        return;
    }
    int end = at + 2;
    c.error = takeNumbers(args, at + 2, end, c);
    args.erase(args.begin() + at, args.begin() + end);
}

void click(QAbstractButton* button) {
    button->click();
}

QLineEdit* box(Program& p, const char* name) {
    return p.advanced.findChild<QLineEdit*>(name);
}

bool connectAndOpenAdvanced(Program& p) {
    click(p.front.ConnectToCamera_btn);
    if (p.state.StatusCommsError) return false;
    click(p.front.AdvFunc_btn);
    return true;
}

// The value the console shows after its command, or nothing when the camera gave none.
int printRegister(Program& p, int address) {
    const QString value = p.advanced.ui.Rx_data_text->text();
    if (value.isEmpty()) {
        fail(QString("the camera gave no value for register %1").arg(address));
        return kExitNoAnswer;
    }
    out() << value << Qt::endl;
    return kExitOk;
}

int consoleRead(Program& p, const SettingsCommand& c) {
    p.advanced.ui.SSTab1->setCurrentIndex(Orvik3_main_frm::EngineeringTab);
    box(p, "AddressReadText")->setText(QString::number(c.address));
    p.advanced.ui.Rx_data_text->clear();
    click(p.advanced.ui.Read_btn);
    return printRegister(p, c.address);
}

int consoleWrite(Program& p, const SettingsCommand& c) {
    Orvik3Controls& ui = p.advanced.ui;
    ui.SSTab1->setCurrentIndex(Orvik3_main_frm::EngineeringTab);
    click(ui.ResetCheckBox);  // all three data boxes in use
    QLineEdit* data[] = {ui.SendByte1, ui.SendByte2, ui.SendByte3};
    ui.AddressWriteText->setText(QString::number(c.address));
    for (size_t i = 0; i < c.bytes.size(); ++i) data[i]->setText(QString::number(c.bytes[i]));
    if (c.bytes.size() == 1) click(ui.CheckByte2);
    if (c.bytes.size() == 2) click(ui.CheckByte3);
    ui.Rx_data_text->clear();
    click(ui.Send_btn);
    return printRegister(p, c.address);  // the camera answers a write with the register's value
}

QString startingValuesText(const StatusRecord& r) {
    return QString(
               "gain %1, offset %2, iris pulse width %3, LCD colour %4, brightness %5, contrast "
               "%6, %7, %8 transmitter channels, thresholds %9")
        .arg(r.GainValue)
        .arg(r.OffsetValue)
        .arg(r.IrisPulseWidthValue)
        .arg(r.LcdColour)
        .arg(r.LcdBrightness)
        .arg(r.LcdContrast)
        .arg(r.ColourationText)
        .arg(r.TxChannelCount)
        .arg(QString("%1 %2 %3 %4 %5 %6")
                 .arg(r.HumidityOnThreshold)
                 .arg(r.HumidityOffThreshold)
                 .arg(r.OverTempLowOnThreshold)
                 .arg(r.OverTempLowOffThreshold)
                 .arg(r.OverTempHighOnThreshold)
                 .arg(r.OverTempHighOffThreshold));
}

// The run goes to the end whatever the camera answers; a status read afterwards tells whether
// the camera took it.
int startValues(Program& p) {
    click(p.advanced.ui.Start_Up_btn);
    click(p.advanced.ui.Status_report_request);
    if (p.state.StatusCommsError || !p.advanced.lastStatus) return kExitNoAnswer;
    const StatusRecord& r = *p.advanced.lastStatus;
    const QString shown = startingValuesText(r);
    StatusRecord expected = r;
    expected.GainValue = 40, expected.OffsetValue = 150, expected.IrisPulseWidthValue = 8;
    expected.LcdColour = expected.LcdBrightness = expected.LcdContrast = 5;
    expected.ColourationText = "Grey scale", expected.TxChannelCount = 4;
    expected.HumidityOnThreshold = 673, expected.HumidityOffThreshold = 641;
    expected.OverTempLowOnThreshold = 473, expected.OverTempLowOffThreshold = 526;
    expected.OverTempHighOnThreshold = 379, expected.OverTempHighOffThreshold = 424;
    if (shown != startingValuesText(expected)) {
        fail("the camera does not show the starting values: " + shown);
        return kExitNoAnswer;
    }
    out() << "Starting values set: " << shown << Qt::endl;
    return kExitOk;
}

}  // namespace

SettingsCommand takeSettingsCommand(QStringList& args) {
    SettingsCommand c;
    if (!args.contains("console") && !args.contains("start-values")) return c;
    const bool yes = args.removeAll("--yes") > 0;
    const int console = args.indexOf("console");
    const int start = args.indexOf("start-values");
    if (console >= 0 && start >= 0) {
        c.error = "one command at a time";
        return c;
    }
    if (console >= 0) {
        parseConsole(args, console, c);
        return c;
    }
    c.kind = SettingsCommand::Kind::StartValues;
    args.removeAt(start);
    if (!yes) c.error = "start-values rewrites the camera's settings and clock; add --yes to go on";
    return c;
}

QString settingsUsageText() {
    return QStringLiteral(
        "  console read ADDR          read a controller register (0 to 255) and print it\n"
        "  console write ADDR B1 [B2 [B3]]\n"
        "                             write one to three bytes from register ADDR on and print\n"
        "                             the value the camera then holds there\n"
        "  start-values --yes         put the camera into its starting configuration, write it\n"
        "                             to its memory and print what a status read then shows\n");
}

int runSettingsCommand(Program& p, const SettingsCommand& c) {
    if (!connectAndOpenAdvanced(p)) return kExitNoAnswer;
    switch (c.kind) {
        case SettingsCommand::Kind::ConsoleRead:
            return consoleRead(p, c);
        case SettingsCommand::Kind::ConsoleWrite:
            return consoleWrite(p, c);
        case SettingsCommand::Kind::StartValues:
            return startValues(p);
        case SettingsCommand::Kind::None:
            break;
    }
    return kExitUsage;
}
