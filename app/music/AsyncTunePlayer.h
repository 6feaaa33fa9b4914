#pragma once

#include <QByteArray>
#include <QThread>
#include <atomic>
#include <functional>
#include <memory>

#include "app/music/TunePlayer.h"

namespace channel {

// Runs a tune player on a thread of its own, so that loading a SoundFont and
// opening the audio device never hold up the window. The thread starts and
// the player is made on it, by `makePlayer`, when the first command arrives; Start and
// Stop return at once and are carried out there in the order given. The
// thread runs an event loop, which a player that hears from the system
// through window messages (the Windows sequencer) needs.
class AsyncTunePlayer final : public TunePlayer {
  public:
    using MakePlayer = std::function<std::unique_ptr<TunePlayer>()>;
    explicit AsyncTunePlayer(MakePlayer makePlayer);
    // Stops the tune and releases the player on its own thread, then ends it.
    ~AsyncTunePlayer() override;
    AsyncTunePlayer(const AsyncTunePlayer&) = delete;
    AsyncTunePlayer& operator=(const AsyncTunePlayer&) = delete;

    void Start(const QByteArray& smf) override;
    void Stop() override;
    // From Start until Stop, true while the start is still on its way and
    // then for as long as the player reports that it plays.
    bool IsPlaying() const override;

  private:
    void Post(std::function<void(TunePlayer&)> command);

    MakePlayer makePlayer_;
    QThread thread_;
    QObject* worker_;                     // lives on thread_; commands run in its event loop
    std::unique_ptr<TunePlayer> player_;  // touched on thread_ only
    bool started_ = false;                // Start given and not stopped since
    std::atomic<int> pending_{0};
    std::atomic<bool> playing_{false};
};

}  // namespace channel
