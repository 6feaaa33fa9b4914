#pragma once

#include <QByteArray>
#include <memory>

#include "app/music/EmbeddedTune.h"
#include "app/music/TunePlayer.h"

namespace channel {

// The main window's play mode for its background tune. The mode is off until
// the window switches it on when it opens; only MusicOn and MusicOff change
// it. The mode follows the commands even when the player cannot make a sound.
class BackgroundMusic {
  public:
    explicit BackgroundMusic(std::unique_ptr<TunePlayer> player, QByteArray tune = EmbeddedTune());

    void MusicOn();   // mode := on; starts from the beginning unless already playing
    void MusicOff();  // mode := off; stops at once
    bool IsOn() const { return on_; }

  private:
    std::unique_ptr<TunePlayer> player_;
    QByteArray tune_;
    bool on_ = false;
};

}  // namespace channel
