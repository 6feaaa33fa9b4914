#include "app/music/TunePlayerModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <QStringList>

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
    // The build tree keeps the module beside the program; an installed
    // program finds it in its own folder under the library directory.
    const QDir programFolder(QCoreApplication::applicationDirPath());
    const QStringList folders = {
        programFolder.path(),
        programFolder.filePath(QStringLiteral(CHANNEL_INSTALLED_TUNE_MODULE_DIR)),
    };
    for (const QString& folder : folders) {
        const QString path = QDir(folder).filePath(QString::fromLatin1(kTunePlayerModuleName));
        if (auto player = LoadTunePlayerModule(path)) return player;
    }
    return nullptr;
}

}  // namespace channel
