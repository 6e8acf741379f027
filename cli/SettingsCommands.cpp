// The engineering console and "Set starting values" on the command line.
#include <QTextStream>

#include "app/SharedState.h"
#include "camera/Camera.h"
#include "camera/Clock.h"
#include "camera/Console.h"
#include "camera/StartingValues.h"
#include "cli/CliCommon.h"
#include "cli/Commands.h"

namespace {

// The value the console shows after its command, or nothing when the camera gave none.
int printRegister(CliRun& run, const camera::RegisterAnswer& answer, int address) {
    camera::showMessages(run.camera.dialogs(), answer.outcome);
    if (!answer.value) {
        fail(run, QString("the camera gave no value for register %1").arg(address));
        return kExitNoAnswer;
    }
    run.out << *answer.value << Qt::endl;
    return kExitOk;
}

int consoleWrite(CliRun& run, const SettingsCommand& c) {
    camera::RegisterWrite write;
    write.address = QString::number(c.address);
    for (size_t i = 0; i < 3; ++i) {
        write.inUse[i] = i < c.bytes.size();
        if (i < c.bytes.size()) write.bytes[i] = QString::number(c.bytes[i]);
    }
    // The camera answers a write with the register's value.
    return printRegister(run, camera::writeRegister(run.camera, write), c.address);
}

// The run goes to the end whatever the camera answers; a status read afterwards tells whether
// the camera took it. The options go out as the form shows them after the connect.
int startValues(CliRun& run, const StatusRecord& connected) {
    camera::Camera& c = run.camera;
    camera::DisplayOptions options;
    options.fahrenheit = !connected.UnitCelsius;
    camera::sendStartingValues(c, camera::takePcClock(c), options);
    const camera::StatusRead read =
        camera::requestReport(c, camera::portChoiceText(c, run.options.port));
    camera::showMessages(c.dialogs(), read.outcome);
    if (!read.record) return kExitNoAnswer;
    const QString shown = camera::startingValuesText(*read.record);
    if (!camera::showsStartingValues(*read.record)) {
        fail(run, "the camera does not show the starting values: " + shown);
        return kExitNoAnswer;
    }
    run.out << "Starting values set: " << shown << Qt::endl;
    return kExitOk;
}

}  // namespace

int runSettingsCommand(CliRun& run, const SettingsCommand& c) {
    const camera::StatusRead connected = connectAndRead(run);
    if (!connected.record) return kExitNoAnswer;
    switch (c.kind) {
        case SettingsCommand::Kind::ConsoleRead:
            return printRegister(run, camera::readRegister(run.camera, QString::number(c.address)),
                                 c.address);
        case SettingsCommand::Kind::ConsoleWrite:
            return consoleWrite(run, c);
        case SettingsCommand::Kind::StartValues:
            return startValues(run, *connected.record);
    }
    return kExitUsage;
}
