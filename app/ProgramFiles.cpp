#include "app/ProgramFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

static QString bareName(const QString& designedName) {
    QString name = designedName;
    while (name.startsWith('\\') || name.startsWith('/')) name.remove(0, 1);
    return name;
}

QString programFilePath(const QString& designedName) {
    const QString name = bareName(designedName);
    const QString appDir = QCoreApplication::applicationDirPath();
    const QStringList folders = {appDir, appDir + "/../bin", appDir + "/../share/orvik3",
                                 QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)};
    for (const QString& folder : folders) {
        const QString path = QDir::cleanPath(folder + "/" + name);
        if (QFileInfo::exists(path)) return path;
    }
    return QDir::cleanPath(appDir + "/" + name);
}

// An installed program's folder (beside ../share/orvik3) holds executables only, even where the
// user may write to it (~/.local/bin).
static bool installed(const QString& appDir) {
    return QFileInfo(appDir + "/../share/orvik3").isDir();
}

QString programFileWritePath(const QString& designedName) {
    const QString name = bareName(designedName);
    const QString appDir = QCoreApplication::applicationDirPath();
    if (QFileInfo(appDir).isWritable() && !installed(appDir)) return appDir + "/" + name;
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(data);
    return data + "/" + name;
}
