#include "app/widgets/SectionDetailsModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <QStringList>
#include <QWidget>

namespace channel {

QWidget* LoadSectionDetailsWindow(ElementsTable& table, Clipboard& clipboard, QWidget* parent) {
    using Make = QWidget* (*)(ElementsTable&, Clipboard&, QWidget*);
    // Found once; the module stays loaded for the rest of the run, since the
    // window's code lives in it.
    static const Make make = [] {
        const QDir programFolder(QCoreApplication::applicationDirPath());
        const QStringList folders = {
            programFolder.path(),
            programFolder.filePath(QStringLiteral(CHANNEL_INSTALLED_MODULE_DIR)),
        };
        for (const QString& folder : folders) {
            QLibrary module(QDir(folder).filePath(QString::fromLatin1(kSectionDetailsModuleName)));
            if (auto found = reinterpret_cast<Make>(module.resolve(kMakeSectionDetailsSymbol)))
                return found;
        }
        return static_cast<Make>(nullptr);
    }();
    return make ? make(table, clipboard, parent) : nullptr;
}

void PrepareHiddenWindow(QWidget& window) {
    if (window.isVisible()) return;
    window.ensurePolished();
    window.adjustSize();
    window.winId();
    // Painted once into a pixmap that is thrown away: only the caches count.
    (void)window.grab();
}

}  // namespace channel
