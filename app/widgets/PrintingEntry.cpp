// The entry point of the printing module (see PrintingModule.h).

#include <QtGlobal>

#include "app/widgets/PrintingModule.h"

extern "C" Q_DECL_EXPORT const channel::Printing* channel_printing() {
    return &channel::LinkedPrinting();
}
