#include "app/music/GeneralMidiSoundFont.h"

#include <array>
#include <filesystem>
#include <system_error>

namespace channel {

std::string FindGeneralMidiSoundFont() {
    // default-GM.sf2 is the Debian alternatives link to whichever GM font the
    // user chose; TimGM6mb is the small font the program depends on.
    static constexpr std::array kCandidates = {
        "/usr/share/sounds/sf2/default-GM.sf2",
        "/usr/share/sounds/sf2/TimGM6mb.sf2",
    };
    for (const char* candidate : kCandidates) {
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate, error)) return candidate;
    }
    return {};
}

}  // namespace channel
