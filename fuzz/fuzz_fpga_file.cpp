// The FPGA file loader on any file: the configuration, its text conversion, its blocks.
#include "camera/FpgaUpload.h"
#include "fuzz/FuzzSupport.h"
#include "uploads/UploadPackets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace uploads;
    const std::vector<uint8_t> rbf = RbfDataFromFile(fuzz::bytesOf(data, size));
    fuzz::require(rbf.size() == size_t(kFpgaFileSize));
    const size_t kept = std::min(size, size_t(kFpgaFileSize));
    fuzz::require(std::equal(data, data + kept, rbf.begin()));
    // Zeros after the file's end (a sample: the whole tail would cost more than the loader).
    const auto tail = rbf.begin() + std::min(rbf.size(), kept + 64);
    fuzz::require(std::all_of(rbf.begin() + kept, tail, [](uint8_t b) { return !b; }));
    fuzz::require(rbf.back() == 0 || kept == rbf.size());

    // The conversion of the part the file filled (the rest is zeros): ten items a line.
    const int count = int(std::min(kept, size_t(kFpgaBytes)));
    const QByteArray text = FpgaConversionText(rbf, count);
    const int lines = count == 0 ? 1 : (count + 9) / 10;
    fuzz::require(text.count("DB ") == lines && text.size() == 3 + 5 * count + 5 * (lines - 1));
    for (int block : {0, int(kept / 32), kFpgaLastBlock, kFpgaLastBlock + 1})
        fuzz::require(fpgaBlockData(rbf, block).size() == size_t(kBlockSize));
    return 0;
}
