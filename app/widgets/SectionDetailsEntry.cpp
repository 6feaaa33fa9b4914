// The entry point of the section-details module (see SectionDetailsModule.h).

#include <QtGlobal>

#include "app/widgets/SectionDetailsWindow.h"

extern "C" Q_DECL_EXPORT QWidget* channel_make_section_details(channel::ElementsTable& table,
                                                               channel::Clipboard& clipboard,
                                                               QWidget* parent) {
    return new channel::SectionDetailsWindow(table, clipboard, parent);
}
