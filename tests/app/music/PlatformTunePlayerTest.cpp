#include <gtest/gtest.h>

#include <string>

#include "app/music/BackgroundMusic.h"
#include "app/music/FluidSynthTunePlayer.h"
#include "app/music/TunePlayerModule.h"

namespace channel {

namespace {

// The build machines have no sound card: the program's own player must let
// the commands work there without a word on the console.
TEST(PlatformTunePlayer, MusicCommandsWorkQuietlyOnThisMachine) {
    ::testing::internal::CaptureStderr();
    ::testing::internal::CaptureStdout();
    {
        std::unique_ptr<TunePlayer> player = LoadTunePlayerModule(CHANNEL_TUNE_MODULE);
        ASSERT_NE(player, nullptr) << "the module built beside the program opens";
        BackgroundMusic music(std::move(player));
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

TEST(PlatformTunePlayer, AMissingModuleLeavesTheMusicSilent) {
    BackgroundMusic music(LoadTunePlayerModule("/nonexistent/channel_tune_fluidsynth"));
    music.MusicOn();
    EXPECT_TRUE(music.IsOn());
}

TEST(PlatformTunePlayer, WithoutASoundFontNeverPlays) {
    FluidSynthTunePlayer player("");
    player.Start(EmbeddedTune());
    EXPECT_FALSE(player.IsPlaying());
    player.Stop();
    EXPECT_FALSE(player.IsPlaying());
}

}  // namespace

}  // namespace channel
