#include "app/music/AsyncTunePlayer.h"

#include <utility>

namespace channel {

AsyncTunePlayer::AsyncTunePlayer(MakePlayer makePlayer)
    : makePlayer_(std::move(makePlayer)), worker_(new QObject) {
    thread_.setObjectName(QStringLiteral("tune"));
    worker_->moveToThread(&thread_);
}

AsyncTunePlayer::~AsyncTunePlayer() {
    if (!thread_.isRunning()) {
        delete worker_;
        return;
    }
    QMetaObject::invokeMethod(worker_, [this] {
        player_.reset();
        thread_.quit();
    });
    thread_.wait();
    delete worker_;
}

void AsyncTunePlayer::Start(const QByteArray& smf) {
    started_ = true;
    Post([smf](TunePlayer& player) { player.Start(smf); });
}

void AsyncTunePlayer::Stop() {
    started_ = false;
    Post([](TunePlayer& player) { player.Stop(); });
}

bool AsyncTunePlayer::IsPlaying() const {
    return started_ && (pending_ > 0 || playing_);
}

void AsyncTunePlayer::Post(std::function<void(TunePlayer&)> command) {
    // The thread starts with the first command, not with the window.
    if (!thread_.isRunning()) thread_.start(QThread::LowPriority);
    ++pending_;
    QMetaObject::invokeMethod(worker_, [this, command = std::move(command)] {
        if (!player_ && makePlayer_) player_ = makePlayer_();
        if (player_) {
            command(*player_);
            playing_ = player_->IsPlaying();
        }
        --pending_;
    });
}

}  // namespace channel
