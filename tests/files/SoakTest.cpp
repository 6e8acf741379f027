// A short soak: downloads in a row over a line that flips bits, then plain commands. Every
// picture is exact, reported as patched or reported as failed; none is wrong and called good
// unless the line damaged a packet in a way its 8-bit XOR checksum cannot show (two flips of the
// same bit, which the camera counts); and nothing leaks a file descriptor.
#include <gtest/gtest.h>

#include "bench/SoakRun.h"

TEST(Soak, DownloadsAndCommandsInARowOverANoisyLine) {
    soak::Figures f;
    f.fdsBefore = soak::openDescriptors();
    {
        soak::Run run(1e-4);
        run.downloads(4, f);
        run.commands(100, f);
    }
    f.fdsAfter = soak::openDescriptors();
    EXPECT_LE(f.wrongAsGood, f.hiddenDamage);
    EXPECT_EQ(f.exact + f.patched + f.failed + f.wrongAsGood, 4);
    EXPECT_EQ(f.failed, 0);
    EXPECT_GT(f.nak2, 0);  // the noise did reach the transfers
    EXPECT_EQ(f.fdsAfter, f.fdsBefore);
    EXPECT_GE(f.acknowledged, 90);
}
