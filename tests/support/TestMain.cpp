#include <gtest/gtest.h>

// The one main of every test binary. Built with CHANNEL_TEST_QAPPLICATION
// for the binaries whose tests need widgets, printers or the desktop
// clipboard: they run under one QApplication. Built without it, the main
// needs no Qt at all, so Qt-free test binaries stay free of it.
#ifdef CHANNEL_TEST_QAPPLICATION
#include <QApplication>
#include <memory>

namespace {
std::unique_ptr<QApplication> MakeApplication(int& argc, char** argv) {
    // The build lists the tests without a display, so the offscreen platform
    // is the default.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QApplication>(argc, argv);
}
}  // namespace
#else
#include <cstddef>

namespace {
std::nullptr_t MakeApplication(int&, char**) {
    return nullptr;
}
}  // namespace
#endif

int main(int argc, char** argv) {
    [[maybe_unused]] const auto application = MakeApplication(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
