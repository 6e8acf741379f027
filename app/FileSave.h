#pragma once
// Saving a whole file so that a failure never destroys what was there before.

#include <QByteArray>
#include <QString>

// Writes `bytes` to a temporary file beside `path` and renames it over `path` once complete; a
// failed save removes the temporary file and leaves any earlier file as it was. A path that
// names a device or a pipe is written directly: renaming over it would replace the device
// itself (a save to /dev/full as root would put a plain file in its place). False, with the
// reason in `why`, on failure.
bool saveWholeFile(const QString& path, const QByteArray& bytes, QString* why = nullptr);

class QFile;
// Opens `file` (named `path`) for reading; when it cannot, a message for the user saying which
// file and why (a folder opens on some systems but reads nothing).
bool openToRead(QFile& file, const QString& path, QString* message);
