// Soak: 100 picture downloads in a row at a bit-error rate of 1e-4, then 1 000 plain commands,
// over the unpaced simulated line with the timing table scaled down. Prints "name: value" lines.
//   orvik3-bench-soak [DOWNLOADS [COMMANDS [BIT_ERROR_RATE]]]
#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

#include "bench/SoakRun.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int downloads = argc > 1 ? std::atoi(argv[1]) : 100;
    const int commands = argc > 2 ? std::atoi(argv[2]) : 1000;
    const double rate = argc > 3 ? std::atof(argv[3]) : 1e-4;

    soak::Figures f;
    f.fdsBefore = soak::openDescriptors();
    {
        soak::Run run(rate);
        run.downloads(downloads, f);
        run.commands(commands, f);
    }
    f.fdsAfter = soak::openDescriptors();

    std::printf("soak_downloads: %d\n", f.downloads);
    std::printf("soak_downloads_exact: %d\n", f.exact);
    std::printf("soak_downloads_patched: %d\n", f.patched);
    std::printf("soak_downloads_failed: %d\n", f.failed);
    std::printf("soak_downloads_wrong_as_good: %d\n", f.wrongAsGood);
    std::printf("soak_hidden_damage_packets: %lld\n", static_cast<long long>(f.hiddenDamage));
    std::printf("soak_nak2: %lld\n", static_cast<long long>(f.nak2));
    std::printf("soak_nak1: %lld\n", static_cast<long long>(f.nak1));
    std::printf("soak_timeouts: %lld\n", static_cast<long long>(f.timeouts));
    std::printf("soak_rss_start_mb: %.2f\n", f.rssStartKb / 1024.0);
    std::printf("soak_rss_growth_mb: %.3f\n", (f.rssEndKb - f.rssStartKb) / 1024.0);
    std::printf("soak_rss_peak_growth_mb: %.3f\n", (f.rssPeakKb - f.rssStartKb) / 1024.0);
    std::printf("soak_commands: %d\n", f.commands);
    std::printf("soak_commands_acknowledged: %d\n", f.acknowledged);
    std::printf("soak_commands_unanswered: %d\n", f.unanswered);
    std::printf("soak_fds_leaked: %d\n", f.fdsAfter - f.fdsBefore);
    // A picture damaged in a way no 8-bit XOR can show is the checksum's limit, not the link's.
    const bool ok = f.wrongAsGood <= f.hiddenDamage && f.fdsAfter == f.fdsBefore &&
                    f.rssEndKb - f.rssStartKb < 2048 && f.exact + f.patched == f.downloads;
    return ok ? 0 : 1;
}
