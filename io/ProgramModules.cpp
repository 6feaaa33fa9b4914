#include "io/ProgramModules.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <QStringList>

namespace channel {

QFunctionPointer ResolveInModule(const char* module, const char* symbol) {
    const QDir programFolder(QCoreApplication::applicationDirPath());
    const QStringList folders = {
        programFolder.path(),
        programFolder.filePath(QStringLiteral(CHANNEL_INSTALLED_MODULE_DIR)),
    };
    for (const QString& folder : folders) {
        QLibrary library(QDir(folder).filePath(QString::fromLatin1(module)));
        if (QFunctionPointer found = library.resolve(symbol)) return found;
    }
    return nullptr;
}

}  // namespace channel
