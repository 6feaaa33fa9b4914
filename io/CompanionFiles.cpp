#include "io/CompanionFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace channel {

QString InstalledDataFolder() {
    if (!QCoreApplication::instance()) return {};
    return QDir::cleanPath(QCoreApplication::applicationDirPath() +
                           QStringLiteral("/../share/trapezoid-channel"));
}

QString CompanionFile(const QString& bareName, const QString& dataFolder) {
    if (QFileInfo::exists(bareName) || dataFolder.isEmpty()) return bareName;
    const QString installed = QDir(dataFolder).filePath(bareName);
    return QFileInfo::exists(installed) ? installed : bareName;
}

}  // namespace channel
