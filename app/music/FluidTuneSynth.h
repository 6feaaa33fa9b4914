#pragma once

#include <fluidsynth/types.h>

#include <QByteArray>
#include <string>

namespace channel {

// A FluidSynth synthesizer with a General MIDI SoundFont and a MIDI file
// player for one looping tune. It makes sound only when something pulls
// samples from it: an audio driver on the synth, or Render().
//
// FluidSynth forbids deleting a player while another thread renders, so Play
// and Stop must not run while an audio driver is open on Synth().
class FluidTuneSynth {
  public:
    static constexpr double kDefaultSampleRate = 44100.0;

    explicit FluidTuneSynth(const std::string& soundFontPath,
                            double sampleRate = kDefaultSampleRate);
    ~FluidTuneSynth();
    FluidTuneSynth(const FluidTuneSynth&) = delete;
    FluidTuneSynth& operator=(const FluidTuneSynth&) = delete;

    // False when the synth could not be created or the SoundFont not loaded;
    // then Play does nothing.
    bool IsReady() const { return soundFont_ >= 0; }

    void Play(const QByteArray& smf);  // from the beginning, looping
    void Stop();                       // cuts every voice at once
    bool IsPlaying() const;
    // Ticks into the current pass of the tune; back to 0 when it loops.
    int PositionTicks() const;

    double SampleRate() const { return sampleRate_; }
    // Pulls `frames` stereo samples from the synth, advancing the player.
    void Render(float* left, float* right, int frames);

    fluid_settings_t* Settings() const { return settings_; }
    fluid_synth_t* Synth() const { return synth_; }

  private:
    double sampleRate_;
    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
    fluid_player_t* player_ = nullptr;
    int soundFont_ = -1;
};

}  // namespace channel
