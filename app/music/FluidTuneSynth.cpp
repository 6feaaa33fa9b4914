#include "app/music/FluidTuneSynth.h"

#include <fluidsynth.h>

namespace channel {

namespace {

void DiscardLogMessage(int, const char*, void*) {}

// FluidSynth writes its messages to the console by default. The program has
// no console voice: a missing device or font just means no music.
void SilenceFluidSynthLog() {
    for (int level = 0; level < LAST_LOG_LEVEL; ++level) {
        fluid_set_log_function(level, DiscardLogMessage, nullptr);
    }
}

// The default gain of 0.2 leaves the General MIDI fonts faint; this brings
// the tune to a comfortable background level without clipping.
constexpr double kGain = 0.5;

}  // namespace

FluidTuneSynth::FluidTuneSynth(const std::string& soundFontPath, double sampleRate)
    : sampleRate_(sampleRate) {
    SilenceFluidSynthLog();
    settings_ = new_fluid_settings();
    if (settings_ == nullptr) return;
    fluid_settings_setnum(settings_, "synth.sample-rate", sampleRate);
    fluid_settings_setnum(settings_, "synth.gain", kGain);
    // The player follows the samples rendered, so offline rendering and the
    // audio driver keep the same time.
    fluid_settings_setstr(settings_, "player.timing-source", "sample");
    // Load only the samples the tune's instruments use: a large General MIDI
    // font would otherwise hold up the window while it opens.
    fluid_settings_setint(settings_, "synth.dynamic-sample-loading", 1);
    synth_ = new_fluid_synth(settings_);
    if (synth_ == nullptr || soundFontPath.empty()) return;
    const int id = fluid_synth_sfload(synth_, soundFontPath.c_str(), 1);
    if (id != FLUID_FAILED) soundFont_ = id;
}

FluidTuneSynth::~FluidTuneSynth() {
    if (player_ != nullptr) delete_fluid_player(player_);
    if (synth_ != nullptr) delete_fluid_synth(synth_);
    if (settings_ != nullptr) delete_fluid_settings(settings_);
}

void FluidTuneSynth::Play(const QByteArray& smf) {
    Stop();
    if (!IsReady() || smf.isEmpty()) return;
    player_ = new_fluid_player(synth_);
    if (player_ == nullptr) return;
    fluid_player_set_loop(player_, -1);
    const auto size = static_cast<size_t>(smf.size());
    if (fluid_player_add_mem(player_, smf.constData(), size) != FLUID_OK ||
        fluid_player_play(player_) != FLUID_OK) {
        Stop();
    }
}

void FluidTuneSynth::Stop() {
    if (player_ != nullptr) {
        fluid_player_stop(player_);
        delete_fluid_player(player_);
        player_ = nullptr;
    }
    if (synth_ == nullptr) return;
    // The reset alone lets held notes ring out through their release, and
    // killing the voices alone leaves the reverb ringing; together they leave
    // only a trace of the effects far below hearing.
    fluid_synth_system_reset(synth_);
    fluid_synth_all_sounds_off(synth_, -1);
}

bool FluidTuneSynth::IsPlaying() const {
    return player_ != nullptr && fluid_player_get_status(player_) == FLUID_PLAYER_PLAYING;
}

int FluidTuneSynth::PositionTicks() const {
    return player_ != nullptr ? fluid_player_get_current_tick(player_) : 0;
}

void FluidTuneSynth::Render(float* left, float* right, int frames) {
    if (synth_ == nullptr) {
        for (int i = 0; i < frames; ++i) left[i] = right[i] = 0.0f;
        return;
    }
    fluid_synth_write_float(synth_, frames, left, 0, 1, right, 0, 1);
}

}  // namespace channel
