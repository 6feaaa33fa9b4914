#include "app/music/FluidAudioDriver.h"

#include <fluidsynth.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace channel {

namespace {

// alsa-lib reports a missing card on stderr by itself, whatever FluidSynth's
// log does, so ALSA is tried only when the kernel offers a playback device.
bool HasAlsaPlaybackDevice() {
    std::error_code error;
    for (std::filesystem::directory_iterator it("/dev/snd", error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.starts_with("pcmC") && name.ends_with('p')) return true;
    }
    return false;
}

// A background tune has no latency need, unlike live play, for which
// FluidSynth's defaults (64-frame periods) are made: with them the audio
// thread wakes about 700 times a second. Two periods of 4096 frames (93 ms
// each at 44.1 kHz) wake it about 11 times a second, and stopping the tune
// still waits at most one period for the thread to finish its write.
constexpr int kPeriodFrames = 4096;
constexpr int kPeriods = 2;

FluidAudioDriver TryDriver(fluid_settings_t* settings, fluid_synth_t* synth, const char* name) {
    if (fluid_settings_setstr(settings, "audio.driver", name) != FLUID_OK) return nullptr;
    return FluidAudioDriver(new_fluid_audio_driver(settings, synth));
}

}  // namespace

void FluidAudioDriverCloser::operator()(fluid_audio_driver_t* driver) const {
    delete_fluid_audio_driver(driver);
}

FluidAudioDriver OpenFluidAudioDriver(fluid_settings_t* settings, fluid_synth_t* synth) {
    if (settings == nullptr || synth == nullptr) return nullptr;
    fluid_settings_setint(settings, "audio.period-size", kPeriodFrames);
    fluid_settings_setint(settings, "audio.periods", kPeriods);
    // PulseAudio first: it also serves PipeWire desktops, and fails quietly
    // when no server runs. JACK is left out because its client may try to
    // start a server.
    if (FluidAudioDriver driver = TryDriver(settings, synth, "pulseaudio")) return driver;
    if (HasAlsaPlaybackDevice()) return TryDriver(settings, synth, "alsa");
    return nullptr;
}

}  // namespace channel
