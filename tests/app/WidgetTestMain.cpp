#include <gtest/gtest.h>

#include <QApplication>

// Widget tests need one QApplication for the whole run. The build lists the
// tests without a display, so the offscreen platform is the default.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
