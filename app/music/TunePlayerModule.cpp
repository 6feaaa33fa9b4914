#include "app/music/TunePlayerModule.h"

#include <QLibrary>

#include "io/ProgramModules.h"

namespace channel {

std::unique_ptr<TunePlayer> LoadTunePlayerModule(const QString& path) {
    // The module stays loaded for the rest of the run: the player's code
    // lives in it.
    QLibrary module(path);
    using MakePlayer = TunePlayer* (*)();
    const auto make = reinterpret_cast<MakePlayer>(module.resolve(kMakeTunePlayerSymbol));
    return std::unique_ptr<TunePlayer>(make ? make() : nullptr);
}

std::unique_ptr<TunePlayer> MakePlatformTunePlayer() {
    using MakePlayer = TunePlayer* (*)();
    const auto make =
        reinterpret_cast<MakePlayer>(ResolveInModule(kTunePlayerModuleName, kMakeTunePlayerSymbol));
    return std::unique_ptr<TunePlayer>(make ? make() : nullptr);
}

}  // namespace channel
