#include "app/widgets/GlyphWarmUp.h"

#include <QFont>
#include <QImage>
#include <QPainter>

namespace channel {

void WarmGlyphs(const QFont& font, const QStringList& texts) {
    // The format the window's backing store paints in, so the glyphs land in
    // the same cache entries its painting uses.
    QImage scratch(16, 16, QImage::Format_ARGB32_Premultiplied);
    scratch.fill(Qt::white);
    QPainter painter(&scratch);
    painter.setFont(font);
    for (const QString& text : texts) painter.drawText(0, 12, text);
}

}  // namespace channel
