#pragma once

#include <QByteArray>
#include <memory>

namespace channel {

// Plays one Standard MIDI File in the background through the platform's MIDI
// facilities. Playing never reports an error: without a synthesizer or an
// audio device a player stays silent and IsPlaying() stays false.
class TunePlayer {
  public:
    virtual ~TunePlayer() = default;
    virtual void Start(const QByteArray& smf) = 0;  // from the beginning, looping
    virtual void Stop() = 0;                        // silence at once
    virtual bool IsPlaying() const = 0;
};

// FluidSynth here, the Windows multimedia sequencer on Windows; the build
// compiles exactly one of the two definitions.
std::unique_ptr<TunePlayer> MakePlatformTunePlayer();

}  // namespace channel
