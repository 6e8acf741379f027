#pragma once
// Files that go wrong: what the bad-file tests load and save to.

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <csignal>

#include "images/Bitmap.h"

namespace files {

inline bool isRoot() {
    return geteuid() == 0;
}

inline void write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

inline QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

inline void setMode(const QString& path, mode_t mode) {
    chmod(path.toLocal8Bit().constData(), mode);
}

inline QImage pattern(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.setPixel(x, y, qRgb(x * 3, y * 5, (x ^ y) & 255));
    return image;
}

inline QByteArray bmp24(int width, int height) {
    return images::EncodeBmp24(pattern(width, height));
}

// A 320 x 240 bitmap of 8 bits a pixel: the right size, the wrong depth.
inline QByteArray bmp8() {
    QByteArray file = bmp24(320, 240);
    file[28] = 8;
    return file.left(54 + 1024 + 320 * 240);
}

inline QByteArray png() {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    pattern(320, 240).save(&buffer, "PNG");
    return bytes;
}

// A sparse file of 3 GiB: costs no disk, but reading it whole would exhaust memory.
inline void makeHuge(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || !f.resize(qint64(3) << 30))
        throw std::runtime_error("cannot make " + path.toStdString());
}

// A device that is always full: /dev/full, or for root (who could replace /dev/full itself if a
// save went wrong) a private node of the same device. Empty when neither can be had.
inline QString fullDevice(const QTemporaryDir& dir) {
    const QString node = dir.filePath("full");
    if (!isRoot()) return "/dev/full";
    return mknod(qPrintable(node), S_IFCHR | 0666, makedev(1, 7)) == 0 ? node : QString();
}

// Runs `act` with files limited to `bytes`, as when the disk fills during a write.
template <typename F>
void withFileSizeLimit(rlim_t bytes, F act) {
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &small);
    act();
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, oldHandler);
}

}  // namespace files
