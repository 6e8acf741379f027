#pragma once
// The camera's picture store as the "Download image" tab speaks of it: picture numbers, the
// image-count reply, what a finished transfer amounts to, and the texts the tab shows.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

#include "images/ImageHeader.h"

struct SharedState;

namespace images {

constexpr int kLastPictureNumber = 26;  // 0 is the splash picture, 1 to 26 stored pictures
constexpr int kPicturePackets = 2400;

// "Splash", "1" .. "26": a list index equals the picture number.
QStringList ViewImageEntries();

// The picture number of a `ViewImage_combo` text: 0 for "Splash", otherwise its integer value.
int PictureNumberOf(const QString& entryText);

// The image-count reply handler: while ImageCountRequested is set, clears it and takes byte 5
// of RxPacket as StoredImageCount. A reply too short to hold that byte leaves the count alone.
// False when a reply came but the line damaged it.
bool RxImagesStoredOnTheCamera(SharedState& s);

// What a picture transfer amounted to, from the engine's results.
enum class TransferOutcome {
    None,        // no transfer yet
    Complete,    // every packet arrived
    Patched,     // complete, but lost packets were filled by repeating a neighbour
    LinkFailed,  // the line went quiet; the engine has already told the user
    GaveUp,      // stopped after repeated errors: not a picture
};
TransferOutcome TransferOutcomeOf(const SharedState& s);

// A complete picture as it arrived, with what its strip depends on at that moment, so palette
// changes and saves never read a later, unfinished transfer.
struct HeldPicture {
    std::vector<std::uint8_t> pixels;  // 76 800, top row first
    ImageHeader header{};
    bool newFirmware = false;
    QString tempUnitText;
    QString cameraSerial;  // as the status read before the transfer showed it
    int number = 0;  // the camera's picture number, 0 the splash picture
};
HeldPicture HoldPicture(const SharedState& s);

// Texts the tab shows.
namespace text {
inline const QString kOrvik = QStringLiteral("Orvik 3");
inline const QString kCommsError = QStringLiteral("Communication error with camera");
inline const QString kFileError = QStringLiteral("Orvik 3: Error");
inline const QString kDownloadSuccessful = QStringLiteral(
    "Image download sucessful, you are recommended to save the downloaded image as a backup "
    "now!");
inline const QString kTooFewStored =
    QStringLiteral("The camera doesn't have that many images stored");
inline const QString kOnly26 = QStringLiteral("The camera can only store 26 images");
inline const QString kOnly0To26 = QStringLiteral("The camera can only store 0 to 26 images");
inline const QString kDeleteOneQuestion =
    QStringLiteral("Are you sure you want to delete this image");
inline const QString kDeleteOneTitle = QStringLiteral("Delete image");
inline const QString kDeleteAllQuestion = QStringLiteral(
    "You are about to delete all images stored on the camera, do you want to do this?");
inline const QString kDeleteAllTitle = QStringLiteral("Error");
inline const QString kSaveFilter =
    QStringLiteral("Windows Bitmap (*.bmp)|*.bmp|All Files (*.*)|*.*");
inline const QString kNotAPicture = QStringLiteral(
    "The picture did not arrive complete: the transfer stopped after repeated errors on the "
    "line. The picture shown has not changed; please retrieve the image again.");
QString PatchedPicture(int patched);
QString NotVerified(int packets);
QString SaveFailed(const QString& path, const QString& why);
}  // namespace text

}  // namespace images
