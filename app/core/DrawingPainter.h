#pragma once

#include <QRectF>

class QPainter;

namespace channel {

struct Drawing;
struct DrawingBox;

// Paints `drawing` with `painter`: the `source` box of drawing units mapped
// into `target` (the painter's coordinates) at one scale for both
// directions, y up, centred where the proportions differ. Lines and texts
// keep the description's styles and order; each layer has its own pen, and
// texts are narrowed to kTextWidthFactor as in CAD.
void PaintDrawing(QPainter& painter, const Drawing& drawing, const DrawingBox& source,
                  const QRectF& target);

}  // namespace channel
