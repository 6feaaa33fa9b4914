// Plays the background tune through the program's audio driver for a few
// seconds and prints the CPU time and context switches it cost per second of
// playback. `tuned` opens the driver as the program does; `default` opens it
// with FluidSynth's own period settings, the yardstick.
//
//   tune_cpu tuned|default [seconds]
//
// Needs an audio server (bench/tune-cpu.sh starts PulseAudio on a null sink).

#include <fluidsynth.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

#include "app/music/EmbeddedTune.h"
#include "app/music/FluidAudioDriver.h"
#include "app/music/FluidTuneSynth.h"
#include "app/music/GeneralMidiSoundFont.h"

namespace {

struct Usage {
    double cpuSeconds;
    long contextSwitches;
};

Usage ProcessUsage() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
    };
    return {seconds(usage.ru_utime) + seconds(usage.ru_stime), usage.ru_nvcsw + usage.ru_nivcsw};
}

}  // namespace

int main(int argc, char** argv) {
    using channel::FluidAudioDriver;
    const bool tuned = argc > 1 && std::strcmp(argv[1], "tuned") == 0;
    const double seconds = argc > 2 ? std::stod(argv[2]) : 10.0;

    channel::FluidTuneSynth synth(channel::FindGeneralMidiSoundFont());
    synth.Play(channel::EmbeddedTune());
    if (!synth.IsPlaying()) {
        std::fprintf(stderr, "the tune does not play (no SoundFont?)\n");
        return 1;
    }
    FluidAudioDriver driver;
    if (tuned) {
        driver = channel::OpenFluidAudioDriver(synth.Settings(), synth.Synth());
    } else {
        fluid_settings_setstr(synth.Settings(), "audio.driver", "pulseaudio");
        driver = FluidAudioDriver(new_fluid_audio_driver(synth.Settings(), synth.Synth()));
    }
    if (!driver) {
        std::fprintf(stderr, "no audio driver opened (is an audio server running?)\n");
        return 1;
    }
    // The first second fills the buffers and loads the samples; not counted.
    std::this_thread::sleep_for(std::chrono::seconds(1));
    const Usage before = ProcessUsage();
    const auto start = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    const Usage after = ProcessUsage();
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    int periodFrames = 0;
    int periods = 0;
    fluid_settings_getint(synth.Settings(), "audio.period-size", &periodFrames);
    fluid_settings_getint(synth.Settings(), "audio.periods", &periods);
    std::printf("%s %d x %d: cpu %.2f %% of a core, %.0f context switches/s\n",
                tuned ? "tuned" : "default", periodFrames, periods,
                100.0 * (after.cpuSeconds - before.cpuSeconds) / wall,
                static_cast<double>(after.contextSwitches - before.contextSwitches) / wall);
    return 0;
}
