#include "history/Changes.h"

#include <QDateTime>
#include <QJsonObject>
#include <QTextStream>
#include <algorithm>

namespace history {

namespace {

// Shown first, in this order; every other compared value follows by name.
const QStringList kLeading = {"run time",          "warm starts",       "cold starts",
                              "greatest humidity", "greatest heatsink", "micro firmware",
                              "camera FPGA",       "lens FPGA",         "sensor kit"};

QString valueText(const QJsonValue& v) {
    if (v.isUndefined() || v.isNull()) return QStringLiteral("-");
    if (v.isBool()) return v.toBool() ? "on" : "off";
    if (v.isDouble()) return QString::number(v.toDouble());
    return v.toString();
}

QStringList orderedKeys(const Visit& a, const Visit& b) {
    QStringList keys = a.fields.keys() + b.fields.keys();
    keys.removeDuplicates();
    std::sort(keys.begin(), keys.end(), [](const QString& x, const QString& y) {
        const auto rank = [](const QString& k) {
            const qsizetype i = kLeading.indexOf(k);
            return i < 0 ? kLeading.size() : i;
        };
        return rank(x) != rank(y) ? rank(x) < rank(y) : x < y;
    });
    return keys;
}

QString doneText(const Visit& v) {
    QStringList done;
    done << QString("%1 status read%2").arg(v.statusReads).arg(v.statusReads == 1 ? "" : "s");
    if (!v.pictures.empty())
        done << QString("%1 picture%2 downloaded")
                    .arg(v.pictures.size())
                    .arg(v.pictures.size() == 1 ? "" : "s");
    QStringList uploads;
    for (const Upload& u : v.uploads) uploads << uploadText(u);
    if (!uploads.isEmpty()) done << "uploaded: " + uploads.join(", ");
    return done.join("; ");
}

}  // namespace

std::vector<Change> changesSince(const Visit& before, const Visit& now) {
    std::vector<Change> out;
    if (before.fields.isEmpty() || now.fields.isEmpty() || !comparable(before) || !comparable(now))
        return out;
    for (const QString& key : orderedKeys(before, now)) {
        const QJsonValue a = before.fields.value(key), b = now.fields.value(key);
        if (a != b) out.push_back({key, valueText(a), valueText(b)});
    }
    return out;
}

QString timeText(qint64 ms) {
    return QDateTime::fromMSecsSinceEpoch(ms).toString("yyyy-MM-dd hh:mm:ss");
}

QString uploadText(const Upload& u) {
    return u.kind + " " + u.file;
}

bool comparable(const Visit& v) {
    return v.camera != kNoSerial;
}

QString cameraText(const QString& camera) {
    return camera == kNoSerial ? QStringLiteral("no serial number") : camera;
}

QString camerasText(const std::vector<CameraSeen>& cameras) {
    qsizetype width = 10;
    for (const CameraSeen& c : cameras) width = std::max(width, cameraText(c.camera).size());
    QString text;
    QTextStream s(&text);
    s << QString("serial").leftJustified(width)
      << "  first visit           last visit            visits\n";
    for (const CameraSeen& c : cameras)
        s << cameraText(c.camera).leftJustified(width) << "  " << timeText(c.first) << "   "
          << timeText(c.last) << "   " << c.visits << "\n";
    return text;
}

QJsonValue serialJson(const QString& camera) {
    return camera == kNoSerial ? QJsonValue() : QJsonValue(camera);
}

QJsonArray camerasJson(const std::vector<CameraSeen>& cameras) {
    QJsonArray out;
    for (const CameraSeen& c : cameras)
        out.append(QJsonObject{{"serial", serialJson(c.camera)},
                               {"first_visit", timeText(c.first)},
                               {"last_visit", timeText(c.last)},
                               {"visits", c.visits}});
    return out;
}

QString visitsText(const QString& camera, const std::vector<Visit>& visits) {
    QString text;
    QTextStream s(&text);
    s << (camera == kNoSerial ? "Cameras without a serial number" : "Camera " + camera) << ": "
      << visits.size() << " visit" << (visits.size() == 1 ? "" : "s") << ", newest first\n";
    for (size_t i = visits.size(); i-- > 0;) {
        const Visit& v = visits[i];
        s << "\n"
          << timeText(v.started) << " to " << timeText(v.ended) << " on " << v.bench << ": "
          << doneText(v) << "\n";
        const std::vector<Change> changes =
            i ? changesSince(visits[i - 1], v) : std::vector<Change>{};
        if (!comparable(v))
            s << "  not compared: a camera without a serial number cannot be told from others\n";
        else if (i == 0)
            s << "  first visit\n";
        else if (changes.empty())
            s << "  nothing changed since the visit before\n";
        for (const Change& c : changes)
            s << "  " << c.what << ": " << c.before << " -> " << c.after << "\n";
        for (const PictureTaken& p : v.pictures)
            s << "  picture " << p.number << " " << p.sha256
              << (p.savedTo.isEmpty() ? QString() : " saved to " + p.savedTo) << "\n";
    }
    return text;
}

QJsonArray visitsJson(const std::vector<Visit>& visits) {
    QJsonArray out;
    for (size_t i = visits.size(); i-- > 0;) {
        const Visit& v = visits[i];
        QJsonArray changes, pictures, uploads;
        if (i > 0)
            for (const Change& c : changesSince(visits[i - 1], v))
                changes.append(
                    QJsonObject{{"what", c.what}, {"before", c.before}, {"after", c.after}});
        for (const PictureTaken& p : v.pictures)
            pictures.append(
                QJsonObject{{"number", p.number}, {"sha256", p.sha256}, {"saved_to", p.savedTo}});
        for (const Upload& u : v.uploads)
            uploads.append(QJsonObject{{"kind", u.kind}, {"file", u.file}, {"sha256", u.sha256}});
        out.append(QJsonObject{{"started", timeText(v.started)},
                               {"ended", timeText(v.ended)},
                               {"bench", v.bench},
                               {"status_reads", v.statusReads},
                               {"pictures_downloaded", pictures},
                               {"uploads", uploads},
                               {"first_visit", i == 0 && comparable(v)},
                               {"changes", changes}});
    }
    return out;
}

QString lastSeenLine(const std::optional<Visit>& before, const Visit& now) {
    if (!comparable(now)) return noSerialLine(false);
    if (!before) return QStringLiteral("Service history: this camera is new to this bench.");
    QStringList changed;
    for (const Change& c : changesSince(*before, now))
        changed << QString("%1 %2 -> %3").arg(c.what, c.before, c.after);
    return QString("Service history: last seen %1 on %2; %3.")
        .arg(timeText(before->ended), before->bench,
             changed.isEmpty() ? QString("nothing changed") : "changed: " + changed.join(", "));
}

QString noSerialLine(bool canGiveOne) {
    return QString(
               "Service history: a camera without a serial number cannot be told from others; "
               "this visit is not compared with any.%1")
        .arg(canGiveOne ? QString(" \"Edit serial no'\" gives it one.") : QString());
}

}  // namespace history
