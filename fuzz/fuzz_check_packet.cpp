// CheckPacket on any text and length: no read outside it; a pass means the checksum is there.
#include "fuzz/FuzzSupport.h"
#include "link/Packet.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider fdp(data, size);
    const int length = fdp.ConsumeIntegralInRange<int>(-2, 80);
    const std::string rest = fdp.ConsumeRemainingBytesAsString();
    const QByteArray text(rest.data(), qsizetype(rest.size()));  // exactly its size, for ASan
    QByteArray result;
    const bool good = CheckPacket(text, length, result);
    if (text.isEmpty() || text == kResend || text == kCommsTimeout) {
        fuzz::require(!good && result == text);
        return 0;
    }
    fuzz::require(result == "none");
    uint8_t sum = 0;
    for (int i = 2; good && i <= length - 5; ++i) sum ^= uint8_t(text[i]);
    fuzz::require(!good ||
                  (length >= 5 && text.size() >= length - 1 && sum == uint8_t(text[length - 2])));
    return 0;
}
