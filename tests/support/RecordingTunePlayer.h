#pragma once

#include <QByteArray>

#include "app/music/TunePlayer.h"

namespace channel {

// A player that records what it was asked. With `canSound` false it behaves
// as on a machine without an audio device: it starts, but never plays.
struct RecordingTunePlayer : TunePlayer {
    bool canSound = true;
    bool playing = false;
    int starts = 0, stops = 0;
    QByteArray startedTune;

    void Start(const QByteArray& smf) override {
        ++starts;
        startedTune = smf;
        playing = canSound;
    }
    void Stop() override {
        ++stops;
        playing = false;
    }
    bool IsPlaying() const override { return playing; }
};

}  // namespace channel
