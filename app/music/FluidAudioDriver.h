#pragma once

#include <fluidsynth/types.h>

#include <memory>

namespace channel {

struct FluidAudioDriverCloser {
    void operator()(fluid_audio_driver_t* driver) const;
};
// Closing the driver stops its audio thread before it returns.
using FluidAudioDriver = std::unique_ptr<fluid_audio_driver_t, FluidAudioDriverCloser>;

// Opens an audio driver that plays `synth` on its own thread, or returns null
// when no audio output is available. It prints nothing either way.
FluidAudioDriver OpenFluidAudioDriver(fluid_settings_t* settings, fluid_synth_t* synth);

}  // namespace channel
