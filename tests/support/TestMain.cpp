// One QApplication for every test binary, on the offscreen platform unless told otherwise; a
// binary run by hand records nothing in its user's service history unless told where.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("ORVIK3_HISTORY")) qputenv("ORVIK3_HISTORY", "off");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
