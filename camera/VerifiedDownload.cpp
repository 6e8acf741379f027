// A download checked by downloading again: the link's checksum misses some damage, a second copy
// that agrees does not.
#include <QByteArrayView>
#include <optional>
#include <vector>

#include "camera/Camera.h"
#include "camera/Pictures.h"
#include "link/CommsEngine.h"

namespace camera {

using namespace images;

namespace {

constexpr int kHeaderPlace = -1;  // the header packet, beside the 2400 data packets
constexpr int kPacketPixels = 32;

QByteArrayView place(const HeldPicture& p, int i) {
    if (i == kHeaderPlace)
        return {reinterpret_cast<const char*>(p.header.data()),
                qsizetype(sizeof(p.header[0]) * p.header.size())};
    return {reinterpret_cast<const char*>(p.pixels.data()) + i * kPacketPixels, kPacketPixels};
}

void copyPlace(HeldPicture& to, const HeldPicture& from, int i) {
    if (i == kHeaderPlace)
        to.header = from.header;
    else
        std::copy_n(from.pixels.begin() + i * kPacketPixels, kPacketPixels,
                    to.pixels.begin() + i * kPacketPixels);
}

std::vector<int> differingPlaces(const HeldPicture& a, const HeldPicture& b) {
    std::vector<int> places;
    for (int i = kHeaderPlace; i < kPicturePackets; ++i)
        if (place(a, i) != place(b, i)) places.push_back(i);
    return places;
}

void add(LinkHealth& sum, const LinkHealth& h) {
    sum.packets += h.packets;
    sum.nak1 += h.nak1;
    sum.nak2 += h.nak2;
    sum.timeouts += h.timeouts;
    sum.resends += h.resends;
    sum.patched += h.patched;
}

// Each download's health line waits for the verdict; the line says once what all went through.
class HealthHold : public ChainedObserver {
  public:
    using ChainedObserver::ChainedObserver;
    void showTransferHealth(const LinkHealth& /*health*/, bool /*complete*/) override {}
};

// The third download's vote on each place where the first two differ: the picture takes the
// copy two agree on; where none agree it keeps the first copy and the place stays undecided.
void decide(HeldPicture& kept, const HeldPicture& second, const HeldPicture& third,
            const std::vector<int>& places, LinkHealth& health) {
    for (int i : places) {
        if (place(third, i) == place(second, i))
            copyPlace(kept, second, i);
        else if (place(third, i) != place(kept, i))
            ++health.undecided;
    }
    health.decided = int(places.size()) - health.undecided;
}

}  // namespace

Download downloadVerified(Camera& camera, int number) {
    Download kept;
    LinkHealth health;
    {
        HealthHold hold(camera.engine());
        prepareDownload(camera);
        kept = transferPicture(camera, number);
        health = kept.health;
        health.downloads = kept.picture ? 1 : 0;
        std::optional<HeldPicture> second;
        std::vector<int> places;
        while (kept.picture && health.downloads < 3) {
            Download next = transferPicture(camera, number);
            add(health, next.health);
            ++health.downloads;
            if (!next.picture) {  // a copy that did not come verifies nothing
                kept = std::move(next);
                health.downloads = 0;
                break;
            }
            if (second) {
                decide(*kept.picture, *second, *next.picture, places, health);
                break;
            }
            places = differingPlaces(*kept.picture, *next.picture);
            if (places.empty()) break;
            second = std::move(next.picture);
        }
    }
    if (kept.picture) {
        // Places a lost packet patched differ from a clean copy, so they were decided too.
        kept.result = TransferOutcome::Complete;
        kept.outcome = {};
        if (health.undecided > 0)
            kept.outcome.fail(
                {text::NotVerified(health.undecided), text::kOrvik, MsgIcon::Exclamation});
        else
            kept.outcome.tell({text::kDownloadSuccessful, text::kOrvik, MsgIcon::Information});
    }
    kept.health = health;
    if (LinkObserver* o = camera.engine().observer())
        o->showTransferHealth(health, kept.picture.has_value());
    return kept;
}

}  // namespace camera
