// The entry point of the module that carries the FluidSynth player.
#include "app/music/FluidSynthTunePlayer.h"
#include "app/music/GeneralMidiSoundFont.h"

using namespace channel;

extern "C" Q_DECL_EXPORT TunePlayer* channel_make_tune_player() {
    return new FluidSynthTunePlayer(FindGeneralMidiSoundFont());
}
