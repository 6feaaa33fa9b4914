#include "app/music/EmbeddedTune.h"

#include <QFile>

// The resource is compiled into this library. When the library is linked
// statically nothing references the resource's registration, so the linker
// would drop it; initialising it by name keeps it in. Q_INIT_RESOURCE must be
// used outside any namespace.
static void RegisterTuneResource() {
    Q_INIT_RESOURCE(tune);
}

namespace channel {

QByteArray EmbeddedTune() {
    static const bool registered = (RegisterTuneResource(), true);
    (void)registered;
    QFile file(QStringLiteral(":/tune/background.mid"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

}  // namespace channel
