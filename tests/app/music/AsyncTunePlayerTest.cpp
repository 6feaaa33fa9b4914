#include <gtest/gtest.h>

#include <QCoreApplication>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/music/AsyncTunePlayer.h"

namespace channel {

namespace {

// What happened to the players the factory made, from any thread.
struct Journal {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::string> events;
    std::thread::id madeOn, destroyedOn;
    bool canSound = true;

    void Add(std::string event) {
        std::lock_guard lock(mutex);
        events.push_back(std::move(event));
        changed.notify_all();
    }
    // Waits until `count` events are in; the bound only keeps a broken
    // player from hanging the run.
    std::vector<std::string> WaitFor(size_t count) {
        std::unique_lock lock(mutex);
        changed.wait_for(lock, std::chrono::seconds(10), [&] { return events.size() >= count; });
        return events;
    }
};

class JournalPlayer final : public TunePlayer {
  public:
    explicit JournalPlayer(std::shared_ptr<Journal> journal) : journal_(std::move(journal)) {
        journal_->madeOn = std::this_thread::get_id();
        journal_->Add("made");
    }
    ~JournalPlayer() override {
        journal_->destroyedOn = std::this_thread::get_id();
        journal_->Add("destroyed");
    }
    void Start(const QByteArray& smf) override {
        playing_ = journal_->canSound;
        journal_->Add("start " + smf.toStdString());
    }
    void Stop() override {
        playing_ = false;
        journal_->Add("stop");
    }
    bool IsPlaying() const override { return playing_; }

  private:
    std::shared_ptr<Journal> journal_;
    bool playing_ = false;
};

class AsyncTunePlayerTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "music_tests";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
    }
    std::unique_ptr<AsyncTunePlayer> MakePlayer() {
        return std::make_unique<AsyncTunePlayer>(
            [journal = journal] { return std::make_unique<JournalPlayer>(journal); });
    }
    std::shared_ptr<Journal> journal = std::make_shared<Journal>();
};

TEST_F(AsyncTunePlayerTest, MakesThePlayerOnItsOwnThreadAtTheFirstCommand) {
    auto player = MakePlayer();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_TRUE(journal->WaitFor(0).empty()) << "nothing is loaded before it is asked for";
    player->Start("tune");
    EXPECT_EQ(journal->WaitFor(2), (std::vector<std::string>{"made", "start tune"}));
    EXPECT_NE(journal->madeOn, std::this_thread::get_id());
    player.reset();
    EXPECT_EQ(journal->WaitFor(3).back(), "destroyed");
    EXPECT_EQ(journal->destroyedOn, journal->madeOn) << "released on the thread that made it";
}

TEST_F(AsyncTunePlayerTest, CarriesOutCommandsInOrderAndReportsPlayingAtOnce) {
    auto player = MakePlayer();
    player->Start("a");
    EXPECT_TRUE(player->IsPlaying()) << "a start on its way counts as playing";
    player->Stop();
    EXPECT_FALSE(player->IsPlaying());
    player->Start("b");
    EXPECT_EQ(journal->WaitFor(4),
              (std::vector<std::string>{"made", "start a", "stop", "start b"}));
    EXPECT_TRUE(player->IsPlaying());
}

TEST_F(AsyncTunePlayerTest, APlayerThatCannotSoundIsNotPlayingOnceItHasTried) {
    journal->canSound = false;
    auto player = MakePlayer();
    player->Start("a");
    journal->WaitFor(2);
    // The flag is read back after the command; give the worker its turn.
    for (int i = 0; i < 1000 && player->IsPlaying(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_FALSE(player->IsPlaying()) << "so the next 开启音乐 tries again";
}

TEST_F(AsyncTunePlayerTest, EndsWithoutMakingAPlayerNobodyAskedFor) {
    MakePlayer().reset();
    EXPECT_TRUE(journal->WaitFor(0).empty());
}

}  // namespace

}  // namespace channel
