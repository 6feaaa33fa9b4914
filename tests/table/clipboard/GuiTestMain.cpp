#include <gtest/gtest.h>

#include <QGuiApplication>

// The system clipboard needs a QGuiApplication. Offscreen unless told
// otherwise, so the build can list the tests without a display.
int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
