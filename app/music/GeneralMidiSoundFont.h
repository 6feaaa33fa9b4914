#pragma once

#include <string>

namespace channel {

// Path of an installed General MIDI SoundFont: the system's default GM font,
// then TimGM6mb. Empty when neither exists.
std::string FindGeneralMidiSoundFont();

}  // namespace channel
