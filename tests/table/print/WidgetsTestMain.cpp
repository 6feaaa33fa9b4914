#include <gtest/gtest.h>

#include <QApplication>

// Printers, fonts and the print dialogs need a QApplication. Offscreen unless
// told otherwise, so the build can list the tests without a display.
int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
