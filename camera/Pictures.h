#pragma once
// The camera's pictures: count, download, delete, store, show on the camera's own display,
// render through a palette with the information strip, and save as bmp, png or csv. Questions
// (delete?) are asked by the caller before it calls; the messages the design shows come back in
// an Outcome. Transfer progress goes to the engine's LinkObserver.

#include <QImage>
#include <QMap>
#include <QString>
#include <functional>
#include <optional>

#include "app/SharedState.h"
#include "camera/Outcome.h"
#include "camera/PictureStore.h"

namespace camera {

class Camera;

// What a picture transfer brought: the picture (complete or patched), how the transfer went,
// and the messages for it ("download sucessful", patched, not a picture).
struct Download {
    images::TransferOutcome result = images::TransferOutcome::None;
    std::optional<images::HeldPicture> picture;
    LinkHealth health;
    Outcome outcome;
};

// 'O' 0x80 and its reply; the count lands in StoredImageCount.
void queryImageCount(Camera& camera);
// With new firmware, queryImageCount; old firmware reports its count only in the status block,
// which `readStatus` reads.
int pictureCount(Camera& camera, const std::function<void()>& readStatus);

// Picture `number` (0: the splash picture): the return-to-normal row, then the transfer.
Download downloadPicture(Camera& camera, int number);
// The two halves of downloadPicture: the line set for a transfer, then one transfer.
void prepareDownload(Camera& camera);
Download transferPicture(Camera& camera, int number);
// The download as the service history keeps it: number, header, SHA-256 of the pixel values,
// the transfer's health.
void recordDownload(Camera& camera, int number, const Download& d);
// The 8-bit checksum cannot see two flips of one bit in a packet, so the picture comes twice and
// the copies are compared packet by packet; where they differ, a third download decides by
// majority. The health says which (verified, decided, or not verified when no two of three
// agree on some packet: then the outcome fails and the picture is the first copy there).
Download downloadVerified(Camera& camera, int number);

// Deletes one picture (the list index) or all; then an old camera's status is read again
// (`readStatus`, the status report) and the camera returns to normal.
void deletePicture(Camera& camera, int number, const std::function<void()>& readStatus);
void deleteAllPictures(Camera& camera, const std::function<void()>& readStatus);
// What a "No" to the delete question still sends.
void returnToNormal(Camera& camera);
// Makes the camera store a picture now; true when it acknowledged.
bool storePicture(Camera& camera);

// Shows picture `number` on the camera's display. Refused (nothing sent) when the camera does
// not hold that many: the outcome carries the message.
Outcome showPictureOnCamera(Camera& camera, int number);
// The camera's own colouration, 'P' and the palette letter of list index 0 to 7.
void setCameraColouration(Camera& camera, int index);

// The picture through palette 1 to 20 with its strip, 320 x 290; null when it cannot be drawn.
QImage viewPicture(const images::HeldPicture& picture, int paletteNumber);
// The colour-list entry a name means (any case); the first, grey scale white hot, for none.
// -1 for a name that is not in the list.
int colourChoiceIndex(const QString& name);

// Saves `shown` (bmp, png) or the picture's numbers (csv). False with `why` when not written.
bool saveBitmap(const QImage& shown, const QString& path, QString* why);
// `texts` go into the file's text chunks (pictureTexts); the pixels are those of `shown`.
bool savePng(const QImage& shown, const QString& path, const QMap<QString, QString>& texts = {});
// What a picture says of itself: its time and date, the readings with their unit, the battery,
// the palette, its number, the camera's serial number and this program's version.
QMap<QString, QString> pictureTexts(const images::HeldPicture& picture, int number,
                                    int choiceIndex);
// '#' lines with what its strip says, the header fields and the palette, then one line of
// comma-separated pixel values per row.
QByteArray pictureCsv(const images::HeldPicture& picture, int number, int choiceIndex);
bool saveCsv(const images::HeldPicture& picture, int number, int choiceIndex, const QString& path);

}  // namespace camera
