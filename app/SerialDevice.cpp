#include "app/SerialDevice.h"

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString firstLine(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromLocal8Bit(f.readLine()).trimmed();
}

QString byIdNameOf(const QString& device, const QString& node) {
    if (device.startsWith("/dev/serial/by-id/")) return device;
    const QDir dir("/dev/serial/by-id");
    for (const QFileInfo& link : dir.entryInfoList(QDir::Files | QDir::System))
        if (link.canonicalFilePath() == node) return link.absoluteFilePath();
    return {};
}

// The USB device above the tty in sysfs: the first folder up that has a vendor id.
void readUsbFacts(SerialDeviceFacts& f) {
    const QString base = "/sys/class/tty/" + QFileInfo(f.node).fileName() + "/device";
    const QFileInfo device(base);
    if (!device.exists()) return;  // a pseudo-terminal has no device behind it
    f.driver = QFileInfo(QFileInfo(base + "/driver").canonicalFilePath()).fileName();
    for (QDir dir(device.canonicalFilePath()); dir.path() != "/sys" && !dir.isRoot(); dir.cdUp()) {
        if (!dir.exists("idVendor")) continue;
        f.description = firstLine(dir.filePath("product"));
        f.serialNumber = firstLine(dir.filePath("serial"));
        return;
    }
}

}  // namespace

SerialDeviceFacts serialDeviceFacts(const QString& device) {
    SerialDeviceFacts f;
    f.device = device;
    if (device.isEmpty()) return f;
    f.node = QFileInfo(device).canonicalFilePath();
    if (f.node.isEmpty()) return f;
    f.byIdName = byIdNameOf(device, f.node);
    readUsbFacts(f);
    return f;
}

DeviceAccess deviceAccess(const QString& node) {
    DeviceAccess a;
    const QByteArray path = node.toLocal8Bit();
    a.allowed = access(path.constData(), R_OK | W_OK) == 0;
    struct stat st {};
    if (stat(path.constData(), &st) == 0)
        if (const group* g = getgrgid(st.st_gid)) a.group = QString::fromLocal8Bit(g->gr_name);
    return a;
}
