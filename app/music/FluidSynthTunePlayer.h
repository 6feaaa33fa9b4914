#pragma once

#include <memory>

#include "app/music/FluidAudioDriver.h"
#include "app/music/FluidTuneSynth.h"
#include "app/music/TunePlayer.h"

namespace channel {

// Plays the tune through FluidSynth and the first audio output that opens.
// The audio driver exists only while the tune plays: closing it is what
// silences the tune at once, and with no driver running the player may be
// replaced safely.
class FluidSynthTunePlayer final : public TunePlayer {
  public:
    // Loads the SoundFont at `soundFontPath`; with an empty path or an
    // unreadable font the player stays silent.
    explicit FluidSynthTunePlayer(const std::string& soundFontPath);
    ~FluidSynthTunePlayer() override;

    void Start(const QByteArray& smf) override;
    void Stop() override;
    bool IsPlaying() const override;

  private:
    FluidTuneSynth synth_;
    FluidAudioDriver driver_;
};

}  // namespace channel
