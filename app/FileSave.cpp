#include "app/FileSave.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

bool fail(QString* why, const QString& reason) {
    if (why) *why = reason;
    return false;
}

bool writeDirectly(const QString& path, const QByteArray& bytes, QString* why) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(why, file.errorString());
    if (file.write(bytes) != bytes.size()) return fail(why, file.errorString());
    return true;
}

}  // namespace

bool openToRead(QFile& file, const QString& path, QString* message) {
    const bool folder = QFileInfo(path).isDir();
    if (!folder && file.open(QIODevice::ReadOnly)) return true;
    return fail(message, QString("\"%1\" could not be opened: %2")
                             .arg(QFileInfo(path).fileName(),
                                  folder ? "it is a folder" : file.errorString()));
}

bool saveWholeFile(const QString& path, const QByteArray& bytes, QString* why) {
    const QFileInfo target(path);
    if (target.exists() && !target.isFile() && !target.isDir())
        return writeDirectly(path, bytes, why);
    // Unbuffered: QSaveFile notices a failed write only when it is made by write() itself; one
    // left to the flush inside commit() (the whole of a small file) goes unnoticed, and commit()
    // would put the cut-short file in place of the old one.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(why, file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return fail(why, reason);
    }
    if (!file.commit()) return fail(why, file.errorString());
    return true;
}
