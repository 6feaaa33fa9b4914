#include "app/music/FluidSynthTunePlayer.h"

namespace channel {

FluidSynthTunePlayer::FluidSynthTunePlayer(const std::string& soundFontPath)
    : synth_(soundFontPath) {}

FluidSynthTunePlayer::~FluidSynthTunePlayer() {
    Stop();
}

void FluidSynthTunePlayer::Start(const QByteArray& smf) {
    Stop();
    if (!synth_.IsReady()) return;
    synth_.Play(smf);
    if (!synth_.IsPlaying()) return;
    driver_ = OpenFluidAudioDriver(synth_.Settings(), synth_.Synth());
    if (!driver_) synth_.Stop();
}

void FluidSynthTunePlayer::Stop() {
    driver_.reset();  // joins the audio thread, so nothing renders from here on
    synth_.Stop();
}

bool FluidSynthTunePlayer::IsPlaying() const {
    return driver_ != nullptr && synth_.IsPlaying();
}

}  // namespace channel
