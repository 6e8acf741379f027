// The status block decoder and the setup summary built from what it decodes.
#include <QDateTime>

#include "fuzz/FuzzSupport.h"
#include "status/SetupReport.h"
#include "status/StatusRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider fdp(data, size);
    StatusCarryOver previous;
    previous.CameraSerialNumber = fdp.ConsumeIntegral<int32_t>();
    previous.NewFirmware = fdp.ConsumeBool();
    previous.OldFirmware = !previous.NewFirmware;
    const std::string rest = fdp.ConsumeRemainingBytesAsString();
    const QByteArray block(rest.data(), qsizetype(rest.size()));
    const std::optional<StatusRecord> record = decodeStatusBlock(block, previous);
    fuzz::require(record.has_value() == (block.size() >= kStatusBlockLength));
    if (!record) return 0;
    fuzz::require(record->StoredImageCount >= 0 && record->StoredImageCount <= 26);
    fuzz::require(record->TxChannelCount >= 0 && record->TxChannelCount <= 7);
    static const QDateTime when(QDate(2024, 5, 6), QTime(7, 8, 9), Qt::UTC);
    const QString report = setupReportText(*record, when);
    fuzz::require(!report.isEmpty());
    reportScreenRuns(report);
    return 0;
}
