#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "app/music/BackgroundMusic.h"

namespace {

// What the play mode asked of its player, kept outside the player because
// BackgroundMusic owns the player.
struct PlayerRecord {
    bool canSound = true;  // false: like a machine without an audio device
    bool playing = false;
    int starts = 0;
    QByteArray startedTune;
};

class RecordingTunePlayer final : public TunePlayer {
  public:
    explicit RecordingTunePlayer(std::shared_ptr<PlayerRecord> record)
        : record_(std::move(record)) {}
    void Start(const QByteArray& smf) override {
        ++record_->starts;
        record_->startedTune = smf;
        record_->playing = record_->canSound;
    }
    void Stop() override { record_->playing = false; }
    bool IsPlaying() const override { return record_->playing; }

  private:
    std::shared_ptr<PlayerRecord> record_;
};

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
    auto record = std::make_shared<PlayerRecord>();
    BackgroundMusic music(std::make_unique<RecordingTunePlayer>(record), QByteArray("tune"));
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
    auto given = std::make_shared<PlayerRecord>();
    BackgroundMusic withTune(std::make_unique<RecordingTunePlayer>(given), QByteArray("MThd tune"));
    withTune.MusicOn();
    EXPECT_EQ(given->startedTune, QByteArray("MThd tune"));

    auto embedded = std::make_shared<PlayerRecord>();
    BackgroundMusic byDefault(std::make_unique<RecordingTunePlayer>(embedded));
    byDefault.MusicOn();
    EXPECT_TRUE(embedded->startedTune.startsWith("MThd"));
    EXPECT_EQ(embedded->startedTune, EmbeddedTune());
}

// Without a working output the commands still switch the mode, and each
// MusicOn tries the player again.
TEST(BackgroundMusic, ModeSwitchesWhenThePlayerCannotSound) {
    auto record = std::make_shared<PlayerRecord>();
    record->canSound = false;
    BackgroundMusic music(std::make_unique<RecordingTunePlayer>(record));
    music.MusicOn();
    EXPECT_TRUE(music.IsOn());
    music.MusicOn();
    EXPECT_EQ(record->starts, 2);
    music.MusicOff();
    EXPECT_FALSE(music.IsOn());
    EXPECT_FALSE(record->playing);
}

}  // namespace
