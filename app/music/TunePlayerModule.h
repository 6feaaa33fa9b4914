#pragma once

#include <QString>
#include <memory>

#include "app/music/TunePlayer.h"

namespace channel {

// The FluidSynth player lives in a module of its own, opened on the tune's
// thread when the tune first starts: FluidSynth and the forty libraries it
// pulls in would otherwise load with the program, before its window shows.

// The module's one entry point: a new player the caller owns.
inline constexpr char kMakeTunePlayerSymbol[] = "channel_make_tune_player";
// The module's file name without its platform suffix: beside the program in
// the build tree, in the installed library folder otherwise.
inline constexpr char kTunePlayerModuleName[] = "channel_tune_fluidsynth";

// Opens the module at `path` and makes its player; null when the module
// cannot be opened, which leaves the music silent.
std::unique_ptr<TunePlayer> LoadTunePlayerModule(const QString& path);

}  // namespace channel
