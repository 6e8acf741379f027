#include "camera/Pictures.h"

#include <QBuffer>
#include <QJsonArray>
#include <QStringList>
#include <QTextStream>
#include <algorithm>
#include <utility>

#include "app/FileSave.h"
#include "app/LinkObserver.h"
#include "app/Version.h"
#include "camera/Camera.h"
#include "camera/Recording.h"
#include "images/Bitmap.h"
#include "images/InfoStrip.h"
#include "images/Palettes.h"
#include "images/Render.h"
#include "link/CommandTable.h"
#include "link/CommsEngine.h"
#include "link/Packet.h"
#include "link/PortDiscovery.h"

namespace camera {

using namespace images;

namespace {

constexpr int kGreyScaleWhiteHot = 1;

void sendRow(Camera& camera, int row) {
    SharedState& s = camera.state();
    s.CommandIndex = static_cast<uint8_t>(row);
    Constants(s);
    camera.engine().Transmit();
}

void transfer(Camera& camera, int number) {
    SharedState& s = camera.state();
    s.CommandIndex = Row::ImageTransfer;
    Constants(s);
    ImageTransferConstants(s, number == 0 ? QStringLiteral("Splash") : QString::number(number));
    // Results of an earlier transfer must not pass for this one if it never starts.
    s.ImageTransferComplete = false;
    s.TransferResult.clear();
    s.PacketTransferMode = true;
    s.BulkReplyMode = true;
    camera.engine().Transmit();
    s.PacketTransferMode = false;
    s.BulkReplyMode = false;
}

void recordAnswer(Camera& camera, const QString& kind, QJsonObject data) {
    const bool ack = camera.state().LastReply.contains(cameraAck());
    data["acknowledged"] = ack;
    recordEvent(camera, kind, ack, data);
}

// Old firmware does not count its pictures on request: a status read refreshes the count.
void afterDelete(Camera& camera, const std::function<void()>& readStatus) {
    const SharedState& s = camera.state();
    if (!s.NewFirmware && s.OldFirmware && readStatus) readStatus();
}

}  // namespace

void queryImageCount(Camera& camera) {
    SharedState& s = camera.state();
    CommsEngine& engine = camera.engine();
    for (int request = 1; request <= CommsEngine::kRequestsPerReply; ++request) {
        if (request > 1) engine.askingAgain("picture-count reply", request);
        s.CommandIndex = Row::ImageCount;
        Constants(s);
        s.ImageCountRequested = true;
        s.RxPacket.clear();
        bool whole = true;
        {
            // The count reply is ours to read, whoever else listens for replies.
            CommsEngine::HandlerScope scope(engine.handlers.imageCount,
                                            [&] { whole = RxImagesStoredOnTheCamera(s); });
            engine.Transmit();
        }
        // Left set after a send that never happened, the next plain reply would pass for a count.
        s.ImageCountRequested = false;
        if (whole) return;
    }
    showMessage(camera.dialogs(), {text::kCommsError, text::kOrvik, MsgIcon::Exclamation});
}

int pictureCount(Camera& camera, const std::function<void()>& readStatus) {
    if (camera.state().NewFirmware)
        queryImageCount(camera);
    else if (readStatus)
        readStatus();
    return camera.state().StoredImageCount;
}

void prepareDownload(Camera& camera) {
    camera.port().setSettings(settingsForSpeed(115200));
    sendRow(camera, Row::DownloadReturnToNormal);
}

Download transferPicture(Camera& camera, int number) {
    SharedState& s = camera.state();
    s.DownloadStarted = true;
    transfer(camera, number);
    Download d;
    d.result = TransferOutcomeOf(s);
    d.health = s.TransferHealth;
    s.DownloadStarted = false;
    const bool arrived =
        d.result == TransferOutcome::Complete || d.result == TransferOutcome::Patched;
    if (arrived) {
        d.picture = HoldPicture(s);
        d.picture->number = number;
    }
    if (arrived) {
        d.outcome.tell({text::kDownloadSuccessful, text::kOrvik, MsgIcon::Information});
        if (d.result == TransferOutcome::Patched)
            d.outcome.tell({text::PatchedPicture(s.TransferHealth.patched), text::kOrvik,
                            MsgIcon::Exclamation});
        return d;
    }
    d.outcome.ok = false;
    s.TransferResult.clear();
    if (d.result == TransferOutcome::GaveUp)
        d.outcome.tell({text::kNotAPicture, text::kOrvik, MsgIcon::Exclamation});
    return d;
}

Download downloadPicture(Camera& camera, int number) {
    prepareDownload(camera);
    Download d = transferPicture(camera, number);
    recordDownload(camera, number, d);
    return d;
}

// The picture's number, header, hash of its pixel values, how the transfer went.
void recordDownload(Camera& camera, int number, const Download& d) {
    QJsonArray header;
    QByteArray pixels;
    if (d.picture) {
        for (std::int16_t field : d.picture->header) header.append(field);
        pixels = QByteArray(reinterpret_cast<const char*>(d.picture->pixels.data()),
                            int(d.picture->pixels.size()));
    }
    recordEvent(camera, "picture", d.picture.has_value(),
                {{"number", number},
                 {"header", header},
                 {"sha256", d.picture ? sha256Hex(pixels) : QString()},
                 {"health", healthJson(d.health)},
                 {"result", QStringList{"none", "complete", "patched", "link failed",
                                        "gave up"}[int(d.result)]}});
}

void deletePicture(Camera& camera, int number, const std::function<void()>& readStatus) {
    SharedState& s = camera.state();
    Recording recording(camera);
    s.CommandIndex = Row::DeleteImage;
    Constants(s);
    DeleteImage_Constants(s, std::max(0, number));
    s.LastReply.clear();
    camera.engine().Transmit();
    recordAnswer(camera, "delete", {{"number", number}});
    afterDelete(camera, readStatus);
    returnToNormal(camera);
}

void deleteAllPictures(Camera& camera, const std::function<void()>& readStatus) {
    Recording recording(camera);
    camera.state().LastReply.clear();
    sendRow(camera, Row::DeleteAll);
    recordAnswer(camera, "delete", {{"number", "all"}});
    afterDelete(camera, readStatus);
    returnToNormal(camera);
}

void returnToNormal(Camera& camera) {
    sendRow(camera, Row::ReturnToNormal);
}

bool storePicture(Camera& camera) {
    camera.state().LastReply.clear();
    sendRow(camera, Row::StoreImage);
    recordAnswer(camera, "store", {});
    return camera.state().LastReply.contains(cameraAck());
}

// A refused number sends nothing, rather than whatever show command the row held before.
Outcome showPictureOnCamera(Camera& camera, int number) {
    SharedState& s = camera.state();
    Outcome outcome;
    if (!ViewImage_Constants(s, number, s.StoredImageCount))
        return outcome.fail({text::kTooFewStored, text::kOrvik, MsgIcon::Exclamation});
    s.CommandIndex = Row::ViewImage;
    camera.engine().Transmit();
    return outcome;
}

void setCameraColouration(Camera& camera, int index) {
    if (index < 0 || index > 7) return;  // no palette of the camera's to ask for
    SharedState& s = camera.state();
    s.CommandIndex = Row::PictureColour;
    Constants(s);
    PictureColour_Constants(s, index);
    transmitRecorded(camera);  // a setting the camera keeps
}

QImage viewPicture(const HeldPicture& picture, int paletteNumber) {
    const StripOptions strip{picture.newFirmware, picture.tempUnitText};
    return RenderStoredImage(picture.pixels, paletteNumber, picture.header, strip);
}

int colourChoiceIndex(const QString& name) {
    if (name.isEmpty()) return 0;
    for (int i = 0; i < int(kColouriseChoices.size()); ++i)
        if (name.compare(QLatin1String(kColouriseChoices[i].text), Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool saveBitmap(const QImage& shown, const QString& path, QString* why) {
    return SaveBitmapFile(path, shown, why);
}

bool savePng(const QImage& shown, const QString& path, const QMap<QString, QString>& texts) {
    QImage image = shown;
    for (auto it = texts.begin(); it != texts.end(); ++it) image.setText(it.key(), it.value());
    QByteArray png;
    QBuffer buffer(&png);
    return buffer.open(QIODevice::WriteOnly) && image.save(&buffer, "PNG") &&
           saveWholeFile(path, png);
}

QMap<QString, QString> pictureTexts(const HeldPicture& held, int number, int choiceIndex) {
    const StripTexts strip = InfoStripTexts(held.header, {held.newFirmware, held.tempUnitText});
    const QString what = number == 0 ? "splash picture" : "picture " + QString::number(number);
    // The unit as the strip draws it: its letter after the degree sign.
    const Glyph unit = StripUnitLetter(held.header, {held.newFirmware, held.tempUnitText});
    return {{"Title", "Orvik 3 " + what},
            {"Creation Time", strip.date + " " + strip.clock},
            {"Spot", strip.spot.trimmed()},
            {"Ambient", strip.ambient.trimmed()},
            {"Unit", unit == Glyph::LetterC ? "C" : "F"},
            {"Battery", QString("%1 of 6").arg(strip.batteryCells)},
            {"Palette", kColouriseChoices[std::max(0, choiceIndex)].text},
            {"Picture", number == 0 ? QStringLiteral("Splash") : QString::number(number)},
            {"Camera serial number", held.cameraSerial},
            {"Software", QStringLiteral("Orvik 3 service program ") + kProgramVersion}};
}

namespace {

QString paletteColours(int paletteNumber) {
    QStringList colours;
    if (const auto palette = LoadImagePalette(paletteNumber))
        for (const PaletteEntry& e : *palette)
            colours << QString("%1 %2 %3").arg(e.red).arg(e.green).arg(e.blue);
    return colours.join(',');
}

}  // namespace

QByteArray pictureCsv(const HeldPicture& held, int number, int choiceIndex) {
    const ColourChoice& choice = kColouriseChoices[std::max(0, choiceIndex)];
    const StripTexts strip = InfoStripTexts(held.header, {held.newFirmware, held.tempUnitText});
    QStringList fields;
    for (std::int16_t field : held.header) fields << QString::number(field);
    QString head;
    QTextStream(&head) << "# Orvik 3 "
                       << (number == 0 ? "splash picture" : "picture " + QString::number(number))
                       << "\n# clock: " << strip.clock << "\n# date: " << strip.date
                       << "\n# battery: " << strip.batteryCells << " of 6"
                       << "\n# spot: " << strip.spot.trimmed()
                       << "\n# ambient: " << strip.ambient.trimmed()
                       << "\n# header fields d1 to d21: " << fields.join(',')
                       << "\n# palette: " << choice.text << " (table entry " << choice.palette
                       << ")"
                       << "\n# palette colours (red green blue) for values 0 to 255: "
                       << paletteColours(choice.palette) << "\n# " << kImageWidth << " x "
                       << kImageHeight << " pixel values, top row first\n";
    QByteArray csv = head.toUtf8();
    csv.reserve(csv.size() + kImagePixels * 4);
    for (int row = 0; row < kImageHeight; ++row) {
        for (int col = 0; col < kImageWidth; ++col) {
            if (col) csv += ',';
            csv += QByteArray::number(held.pixels[row * kImageWidth + col]);
        }
        csv += '\n';
    }
    return csv;
}

bool saveCsv(const HeldPicture& picture, int number, int choiceIndex, const QString& path) {
    return saveWholeFile(path, pictureCsv(picture, number, choiceIndex));
}

}  // namespace camera
