#include "app/widgets/SectionDetailsModule.h"

#include <QWidget>

#include "io/ProgramModules.h"

namespace channel {

QWidget* LoadSectionDetailsWindow(ElementsTable& table, Clipboard& clipboard, QWidget* parent) {
    using Make = QWidget* (*)(ElementsTable&, Clipboard&, QWidget*);
    static const auto make = reinterpret_cast<Make>(
        ResolveInModule(kSectionDetailsModuleName, kMakeSectionDetailsSymbol));
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
