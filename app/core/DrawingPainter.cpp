#include "app/core/DrawingPainter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <algorithm>

#include "cad/Drawing.h"

namespace channel {

namespace {

namespace layers = drawing_layers;

struct LayerPen {
    const char* layer;
    QColor colour;
    double width;  // in 1/96 inch
};

// The table's and the dimensions' thin black, the section's outline heavy,
// the levels in the colours of the details window.
const LayerPen kLayerPens[] = {
    {layers::kSection, QColor(60, 60, 60), 2.5},
    {layers::kWater, QColor(25, 95, 185), 2},
    {layers::kNormalDepth, QColor(10, 60, 140), 1.5},
    {layers::kCriticalDepth, QColor(200, 40, 40), 1.5},
    {layers::kEnlargedDepth, QColor(0, 140, 150), 1.5},
};

LayerPen PenOf(const std::string& layer) {
    for (const LayerPen& pen : kLayerPens) {
        if (layer == pen.layer) return pen;
    }
    return {nullptr, Qt::black, 1};
}

// Drawing units to the painter's coordinates: `scale` per unit, y up.
struct Mapping {
    double scale = 1;
    double left = 0;    // where source.left lands
    double bottom = 0;  // where source.bottom lands
    DrawingBox source;
    QPointF At(DrawingPoint p) const {
        return {left + scale * (p.x - source.left), bottom - scale * (p.y - source.bottom)};
    }
};

Mapping MappingOf(const DrawingBox& source, const QRectF& target) {
    const double scale =
        std::min(target.width() / source.Width(), target.height() / source.Height());
    return {scale, target.left() + (target.width() - scale * source.Width()) / 2,
            target.bottom() - (target.height() - scale * source.Height()) / 2, source};
}

void PaintLine(QPainter& painter, const DrawingLine& line, const Mapping& map, double pixel) {
    const LayerPen layer = PenOf(line.layer);
    QPen pen(layer.colour, layer.width * pixel);
    pen.setCapStyle(Qt::FlatCap);
    if (line.style != LineStyle::Solid) {
        // Qt counts a pattern in pen widths; the description in drawing units.
        const DashPattern dashes = PatternOf(line.style);
        const double unit = map.scale / pen.widthF();
        pen.setDashPattern({dashes.on * unit, dashes.off * unit});
    }
    painter.setPen(pen);
    painter.drawLine(map.At(line.from), map.At(line.to));
}

void PaintText(QPainter& painter, const DrawingText& text, const Mapping& map) {
    QFont font = painter.font();
    // The em as high as the text: a full-width character is then as wide as
    // TextBox estimates, narrowed.
    const double pixels = text.height * map.scale;
    font.setPointSizeF(pixels * 72 / painter.device()->logicalDpiY());
    painter.setFont(font);
    painter.setPen(PenOf(text.layer).colour);
    const QFontMetricsF metrics(font);
    const QString shown = QString::fromUtf8(text.utf8Text);
    const QPointF at = map.At(text.at);
    painter.save();
    painter.translate(at);
    painter.scale(kTextWidthFactor, 1);
    // TextAnchor::Middle: centred across and on the middle of its letters.
    painter.drawText(
        QPointF(-metrics.horizontalAdvance(shown) / 2, (metrics.ascent() - metrics.descent()) / 2),
        shown);
    painter.restore();
}

}  // namespace

void PaintDrawing(QPainter& painter, const Drawing& drawing, const DrawingBox& source,
                  const QRectF& target) {
    const Mapping map = MappingOf(source, target);
    const double pixel = painter.device()->logicalDpiX() / 96.0;
    painter.save();
    for (const DrawingLine& line : drawing.lines) PaintLine(painter, line, map, pixel);
    for (const DrawingText& text : drawing.texts) PaintText(painter, text, map);
    painter.restore();
}

}  // namespace channel
