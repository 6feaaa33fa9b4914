#include "app/widgets/PrintingModule.h"

#include "io/ProgramModules.h"

namespace channel {

const Printing* LoadPrinting() {
    using Entry = const Printing* (*)();
    static const Printing* const printing = [] {
        const auto entry =
            reinterpret_cast<Entry>(ResolveInModule(kPrintingModuleName, kPrintingSymbol));
        return entry ? entry() : nullptr;
    }();
    return printing;
}

DeferredPrintDialogs::DeferredPrintDialogs(PrintingSource source, QWidget* parent)
    : source_(std::move(source)), parent_(parent) {}

DeferredPrintDialogs::~DeferredPrintDialogs() = default;

PrintDialogs* DeferredPrintDialogs::Real() {
    if (!real_) {
        if (const Printing* printing = source_()) real_.reset(printing->makeDialogs(parent_));
    }
    return real_.get();
}

bool DeferredPrintDialogs::ConfirmPrint(QPrinter& printer) {
    PrintDialogs* real = Real();
    return real && real->ConfirmPrint(printer);
}

void DeferredPrintDialogs::ShowPreview(QPrinter& printer,
                                       const std::function<void(QPrinter&)>& paint) {
    if (PrintDialogs* real = Real()) real->ShowPreview(printer, paint);
}

}  // namespace channel
