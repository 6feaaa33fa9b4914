#include "app/music/BackgroundMusic.h"

#include <utility>

namespace channel {

BackgroundMusic::BackgroundMusic(std::unique_ptr<TunePlayer> player, QByteArray tune)
    : player_(std::move(player)), tune_(std::move(tune)) {}

void BackgroundMusic::MusicOn() {
    on_ = true;
    // A tune that is already playing is left alone rather than restarted.
    if (player_ && !player_->IsPlaying()) player_->Start(tune_);
}

void BackgroundMusic::MusicOff() {
    on_ = false;
    if (player_) player_->Stop();
}

}  // namespace channel
