#include "camera/PictureStore.h"

#include "app/SharedState.h"
#include "link/Packet.h"
#include "status/StatusRecord.h"

namespace images {

QStringList ViewImageEntries() {
    QStringList entries{QStringLiteral("Splash")};
    for (int n = 1; n <= kLastPictureNumber; ++n) entries << QString::number(n);
    return entries;
}

int PictureNumberOf(const QString& entryText) {
    if (entryText == QLatin1String("Splash")) return 0;
    return entryText.trimmed().toInt();
}

bool RxImagesStoredOnTheCamera(SharedState& s) {
    if (!s.ImageCountRequested) return true;
    s.ImageCountRequested = false;
    // A refusal reads as a count reply would (21 or 24 pictures): its complement tells it.
    if (s.RxPacket.contains(cameraNak()) || s.RxPacket.contains(cameraCan())) return true;
    // Nothing, or a reply the line damaged (noise before it, a bad checksum): the count stays
    // as it was rather than taking a wrong one.
    const std::optional<QByteArray> count =
        shortReplyValues(s.RxPacket, 1, false, Framing::from(s));
    if (count) s.StoredImageCount = static_cast<std::uint8_t>(count->at(0));
    return count || s.RxPacket.isEmpty();
}

TransferOutcome TransferOutcomeOf(const SharedState& s) {
    if (s.ImageTransferComplete)
        return s.TransferHealth.patched > 0 ? TransferOutcome::Patched : TransferOutcome::Complete;
    // Only the final time-out comes with a message of the engine's own.
    if (s.TransferResult == kCommsTimeout) return TransferOutcome::LinkFailed;
    return TransferOutcome::GaveUp;
}

HeldPicture HoldPicture(const SharedState& s) {
    HeldPicture held;
    held.pixels.assign(s.ImageBuffer.begin(), s.ImageBuffer.begin() + kImagePixels);
    held.header = s.ImageHeader;
    held.newFirmware = s.NewFirmware;
    held.tempUnitText = s.TempUnitText;
    held.cameraSerial = serialNumberShown(s.CameraSerialNumber, s.SerialNumberText);
    return held;
}

namespace text {

QString PatchedPicture(int patched) {
    const bool one = patched == 1;
    return QStringLiteral(
               "The picture arrived, but %1 of its 2400 packets %2 lost on the line and filled "
               "in by repeating the packet before %3. Retrieve the image again for a clean copy.")
        .arg(patched)
        .arg(one ? "was" : "were", one ? "it" : "them");
}

QString NotVerified(int packets) {
    return QStringLiteral(
               "The picture could not be verified: in three downloads no two copies agree on %1 "
               "of its packets, so parts of it may be wrong. Check the cable and retrieve it "
               "again.")
        .arg(packets);
}

QString SaveFailed(const QString& path, const QString& why) {
    return QStringLiteral("The picture could not be saved to %1: %2").arg(path, why);
}

}  // namespace text

}  // namespace images
