#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "app/music/BackgroundMusic.h"
#include "support/RecordingTunePlayer.h"

namespace channel {

namespace {

enum class Command { On, Off };

struct ModeCase {
    std::string name;
    std::vector<Command> commands;
    bool on;
    bool playing;
    int starts;
};

void PrintTo(const ModeCase& c, std::ostream* out) {
    *out << c.name;
}

class PlayMode : public ::testing::TestWithParam<ModeCase> {};

TEST_P(PlayMode, FollowsTheCommands) {
    const ModeCase& c = GetParam();
    auto player = std::make_unique<RecordingTunePlayer>();
    const RecordingTunePlayer* record = player.get();  // owned by `music`
    BackgroundMusic music(std::move(player), QByteArray("tune"));
    for (Command command : c.commands) {
        if (command == Command::On) {
            music.MusicOn();
        } else {
            music.MusicOff();
        }
    }
    EXPECT_EQ(music.IsOn(), c.on);
    EXPECT_EQ(record->playing, c.playing);
    EXPECT_EQ(record->starts, c.starts);
}

using enum Command;
INSTANTIATE_TEST_SUITE_P(
    Sequences, PlayMode,
    ::testing::Values(ModeCase{"NothingYet", {}, false, false, 0},
                      ModeCase{"On", {On}, true, true, 1},
                      ModeCase{"OnTwiceLeavesThePlayingTuneAlone", {On, On}, true, true, 1},
                      ModeCase{"OffStops", {On, Off}, false, false, 1},
                      ModeCase{"OffTwiceStaysOff", {On, Off, Off}, false, false, 1},
                      ModeCase{"OffBeforeAnyOn", {Off}, false, false, 0},
                      ModeCase{"OnAfterOffPlaysAgain", {On, Off, On}, true, true, 2},
                      ModeCase{"OnAfterOffTwice", {On, Off, Off, On, On}, true, true, 2}),
    [](const auto& info) { return info.param.name; });

TEST(BackgroundMusic, StartsThePlayerWithItsTuneOrTheEmbeddedOne) {
    auto givenPlayer = std::make_unique<RecordingTunePlayer>();
    const RecordingTunePlayer* given = givenPlayer.get();
    BackgroundMusic withTune(std::move(givenPlayer), QByteArray("MThd tune"));
    withTune.MusicOn();
    EXPECT_EQ(given->startedTune, QByteArray("MThd tune"));

    auto embeddedPlayer = std::make_unique<RecordingTunePlayer>();
    const RecordingTunePlayer* embedded = embeddedPlayer.get();
    BackgroundMusic byDefault(std::move(embeddedPlayer));
    byDefault.MusicOn();
    EXPECT_TRUE(embedded->startedTune.startsWith("MThd"));
    EXPECT_EQ(embedded->startedTune, EmbeddedTune());
}

// Without a working output the commands still switch the mode, and each
// MusicOn tries the player again.
TEST(BackgroundMusic, ModeSwitchesWhenThePlayerCannotSound) {
    auto player = std::make_unique<RecordingTunePlayer>();
    player->canSound = false;
    const RecordingTunePlayer* record = player.get();
    BackgroundMusic music(std::move(player));
    music.MusicOn();
    EXPECT_TRUE(music.IsOn());
    music.MusicOn();
    EXPECT_EQ(record->starts, 2);
    music.MusicOff();
    EXPECT_FALSE(music.IsOn());
    EXPECT_FALSE(record->playing);
}

}  // namespace

}  // namespace channel
