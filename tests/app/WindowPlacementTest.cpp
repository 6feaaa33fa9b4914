#include <gtest/gtest.h>

#include "app/core/WindowPlacement.h"

namespace channel {

namespace {

TEST(WindowPlacementTest, BesideTheMainWindowAndOnTheScreen) {
    const QRect screen(0, 0, 1920, 1040);
    const QSize size(760, 600);
    struct Case {
        const char* name;
        QRect main;
        QRect screen;
        QPoint expected;
    } const cases[] = {
        {"room on the right", {50, 50, 710, 353}, screen, {768, 50}},
        {"room on the left only", {1100, 80, 710, 353}, screen, {332, 80}},
        // Neither side has room: the roomier side (292 pixels on the left,
        // 262 on the right), pushed onto the screen.
        {"no room either side", {300, 50, 710, 353}, {0, 0, 1280, 1024}, {0, 50}},
        {"no room, more on the right", {240, 50, 710, 353}, {0, 0, 1280, 1024}, {520, 50}},
        {"low main window", {50, 700, 710, 353}, screen, {768, 440}},
        {"screen smaller than the window", {0, 0, 710, 353}, {0, 0, 640, 480}, {0, 0}},
        {"second screen on the left", {-1800, 100, 710, 353}, {-1920, 0, 1920, 1080}, {-1082, 100}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QPoint at = PlaceBeside(c.main, size, c.screen);
        EXPECT_EQ(at, c.expected);
        if (c.screen.width() >= size.width() && c.screen.height() >= size.height()) {
            EXPECT_TRUE(c.screen.contains(QRect(at, size)));
        }
    }
}

}  // namespace

}  // namespace channel
