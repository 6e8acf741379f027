#include "app/DeviceHolder.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStringList>

namespace {

QString processName(qint64 pid) {
    QFile comm(QString("/proc/%1/comm").arg(pid));
    if (!comm.open(QIODevice::ReadOnly)) return {};
    const QString name = QString::fromLocal8Bit(comm.readAll()).trimmed();
    return QString("%1 (process %2)").arg(name.isEmpty() ? QString("a program") : name).arg(pid);
}

// The serial port library locks a device by the name it was opened under: "LCK..<name>", the
// name without "/dev/" and with slashes as underscores, in the first of these folders it can use.
qint64 lockFileHolder(const QString& device) {
    QString name = device;
    if (name.startsWith("/dev/")) name = name.mid(5);
    name.replace('/', '_');
    for (const char* dir : {"/var/lock", "/etc/locks", "/var/spool/locks", "/var/spool/uucp",
                            "/tmp", "/var/tmp", "/var/lock/lockdev", "/run/lock"}) {
        const QString path = QString("%1/LCK..%2").arg(dir, name);
        if (!QFileInfo::exists(path)) continue;
        qint64 pid = 0;
        QString host, app;
        if (QLockFile(path).getLockInfo(&pid, &host, &app) && pid > 0 &&
            QFileInfo::exists(QString("/proc/%1").arg(pid)))
            return pid;
    }
    return 0;
}

// A process other than this one with the device among its open files.
qint64 openFileHolder(const QString& node) {
    const qint64 self = getpid();
    for (const QString& entry : QDir("/proc").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        if (!isPid || pid == self) continue;
        const QDir fds(QString("/proc/%1/fd").arg(pid));
        for (const QFileInfo& fd : fds.entryInfoList(QDir::System | QDir::NoDotAndDotDot))
            if (fd.symLinkTarget() == node) return pid;
    }
    return 0;
}

}  // namespace

QString deviceHolder(const QString& device) {
    const QString node = QFileInfo(device).canonicalFilePath();
    if (node.isEmpty()) return {};
    qint64 pid = lockFileHolder(device);
    if (!pid && node != device) pid = lockFileHolder(node);
    if (!pid) pid = openFileHolder(node);
    return pid ? processName(pid) : QString();
}
