#include <gtest/gtest.h>

#include <string>

#include "app/music/BackgroundMusic.h"
#include "app/music/FluidSynthTunePlayer.h"

namespace {

// The build machines have no sound card: the program's own player must let
// the commands work there without a word on the console.
TEST(PlatformTunePlayer, MusicCommandsWorkQuietlyOnThisMachine) {
    ::testing::internal::CaptureStderr();
    ::testing::internal::CaptureStdout();
    {
        BackgroundMusic music(MakePlatformTunePlayer());
        music.MusicOn();
        EXPECT_TRUE(music.IsOn());
        music.MusicOff();
        EXPECT_FALSE(music.IsOn());
        music.MusicOff();
        music.MusicOn();
        music.MusicOn();
        EXPECT_TRUE(music.IsOn());
    }
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

TEST(PlatformTunePlayer, WithoutASoundFontNeverPlays) {
    FluidSynthTunePlayer player("");
    player.Start(EmbeddedTune());
    EXPECT_FALSE(player.IsPlaying());
    player.Stop();
    EXPECT_FALSE(player.IsPlaying());
}

}  // namespace
