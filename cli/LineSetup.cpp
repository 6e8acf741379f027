#include "cli/LineSetup.h"

#include <QTextStream>

#include "history/Location.h"

int usedPort(const CommonOptions& c) {
    return c.port != 0 ? c.port : 1;
}

LineSetup setUpLine(const CommonOptions& c, bool everyPort) {
    LineSetup line;
    for (const auto& [n, device] : c.portDevices) line.ports.assign(n, device);
    if (c.simulate) {
        camsim::Options o;
        o.baud = c.speed;
        o.paced = true;
        line.simulated = std::make_unique<camsim::SimCamera>(o);
        const QString device = QString::fromStdString(line.simulated->devicePath());
        if (line.ports.device(1).isEmpty())
            line.ports.assign(1, device);
        else
            line.ports.append(device);
    }
    if (!everyPort && !line.ports.device(usedPort(c)).isEmpty()) return line;
    for (const QString& device : PortMap::scanDevices()) line.ports.append(device);
    return line;
}

void openHistory(camera::Camera& camera, const QString& option) {
    camera.openHistory(history::chooseLocation(option), [](const QString& why) {
        QTextStream(stderr) << "orvik3: " << why << Qt::endl;
    });
}
