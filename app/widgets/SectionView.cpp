#include "app/widgets/SectionView.h"

#include <QFontMetricsF>
#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

#include "cad/SectionDrawing.h"

namespace channel {

namespace {

constexpr double kLeftMargin = 24;
constexpr double kRightMargin = 100;
constexpr double kTopMargin = 52;
constexpr double kBottomMargin = 52;
constexpr double kGroundDepth = 14;  // pixels of ground drawn below the bed

const QColor kGround(226, 210, 178);
const QColor kGroundHatch(165, 135, 95);
const QColor kWater(120, 175, 230, 170);
const QColor kSurface(25, 95, 185);
const QColor kNormal(10, 60, 140);
const QColor kCritical(200, 40, 40);
const QColor kOutline(60, 60, 60);

// Metres to pixels at one scale for both directions, the bed's centre at
// (centreX, bedY).
struct Frame {
    double scale;
    double centreX;
    double bedY;
    QPointF At(double x, double depth) const { return {centreX + scale * x, bedY - scale * depth}; }
};

QString Metres(const char* symbol, double value) {
    return QStringLiteral("%1 = %2 m").arg(QLatin1String(symbol)).arg(value, 0, 'f', 3);
}

void DrawArrowHead(QPainter& p, QPointF tip, QPointF from) {
    const QLineF back(tip, from);
    const double length = 7;
    QLineF wing = back;
    wing.setLength(length);
    QPolygonF head;
    head << tip;
    wing.setAngle(back.angle() + 20);
    head << wing.p2();
    wing.setAngle(back.angle() - 20);
    head << wing.p2();
    p.drawPolygon(head);
}

// A dimension line with arrows at both ends.
void DrawDimension(QPainter& p, QPointF a, QPointF b) {
    p.drawLine(a, b);
    p.setBrush(p.pen().color());
    DrawArrowHead(p, a, b);
    DrawArrowHead(p, b, a);
    p.setBrush(Qt::NoBrush);
}

// Text with a white backing so it stays readable over hatching and water.
void DrawLabel(QPainter& p, const QPointF& anchor, const QString& text, Qt::Alignment align) {
    const QFontMetricsF metrics(p.font());
    QRectF box(QPointF(0, 0), metrics.size(Qt::TextSingleLine, text) + QSizeF(6, 2));
    if (align & Qt::AlignRight) {
        box.moveRight(anchor.x());
    } else if (align & Qt::AlignHCenter) {
        box.moveLeft(anchor.x() - box.width() / 2);
    } else {
        box.moveLeft(anchor.x());
    }
    if (align & Qt::AlignTop) {
        box.moveTop(anchor.y());
    } else if (align & Qt::AlignBottom) {
        box.moveBottom(anchor.y());
    } else {
        box.moveTop(anchor.y() - box.height() / 2);
    }
    p.fillRect(box, QColor(255, 255, 255, 215));
    p.drawText(box, Qt::AlignCenter, text);
}

SectionShape ShapeOf(const SectionDetails& d) {
    return {d.bottomWidth, d.sideSlope};
}

bool IsDrawable(const SectionDetails& d) {
    return d.inputsRead && ShapeDrawable(ShapeOf(d)).ok() && std::isfinite(d.DepthScale());
}

void DrawLegend(QPainter& p, bool normal, bool critical) {
    struct Entry {
        const char* text;
        QPen pen;
    };
    const Entry entries[] = {
        {"水面", QPen(kSurface, 2)},
        {"正常水深 h0", QPen(kNormal, 1.5, Qt::DashLine)},
        {"临界水深 hk", QPen(kCritical, 1.5, Qt::DotLine)},
    };
    const bool shown[] = {true, normal, critical};
    double x = 10;
    for (int k = 0; k < 3; ++k) {
        if (!shown[k]) continue;
        p.setPen(entries[k].pen);
        p.drawLine(QPointF(x, 14), QPointF(x + 22, 14));
        p.setPen(Qt::black);
        const QString text = QString::fromUtf8(entries[k].text);
        p.drawText(QPointF(x + 27, 18), text);
        x += 40 + QFontMetricsF(p.font()).horizontalAdvance(text);
    }
}

}  // namespace

SectionView::SectionView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("断面图"));
    setMinimumSize(360, 240);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SectionView::SetDetails(const SectionDetails& details) {
    details_ = details;
    update();
}

void SectionView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::white);
    const SectionDetails& d = details_;
    if (!IsDrawable(d)) {
        p.setPen(Qt::darkGray);
        p.drawText(QRectF(rect()).adjusted(20, 20, -20, -20), Qt::AlignCenter | Qt::TextWordWrap,
                   d.reason);
        return;
    }

    const SectionShape shape = ShapeOf(d);
    const double b = shape.bottomWidth;
    const double m = shape.sideSlope;
    const double bankHeight = d.DepthScale();
    const double halfTop = shape.HalfWidthAt(bankHeight);
    const double width = this->width() - kLeftMargin - kRightMargin;
    const double height = this->height() - kTopMargin - kBottomMargin;
    const double scale = std::min(width / (2 * halfTop), height / bankHeight);
    const Frame frame{scale, kLeftMargin + width / 2,
                      kTopMargin + height / 2 + scale * bankHeight / 2};

    // Ground around the channel, hatched.
    const double groundTop = frame.At(0, bankHeight).y();
    const double groundBottom = frame.bedY + kGroundDepth;
    QPolygonF ground;
    ground << QPointF(0, groundTop) << frame.At(-halfTop, bankHeight) << frame.At(-b / 2, 0)
           << frame.At(b / 2, 0) << frame.At(halfTop, bankHeight)
           << QPointF(this->width(), groundTop) << QPointF(this->width(), groundBottom)
           << QPointF(0, groundBottom);
    p.setPen(Qt::NoPen);
    p.setBrush(kGround);
    p.drawPolygon(ground);
    p.setBrush(QBrush(kGroundHatch, Qt::BDiagPattern));
    p.drawPolygon(ground);

    // The water: at the table's depth, or at h0 when the table has none.
    const bool tableDepth = std::isfinite(d.tableDepth) && d.tableDepth > 0;
    const double water = tableDepth ? d.tableDepth : d.flow.normalDepth;
    const bool hasWater = std::isfinite(water) && water > 0;
    if (hasWater) {
        QPolygonF body;
        body << frame.At(-shape.HalfWidthAt(water), water) << frame.At(-b / 2, 0)
             << frame.At(b / 2, 0) << frame.At(shape.HalfWidthAt(water), water);
        p.setBrush(kWater);
        p.drawPolygon(body);
        p.setPen(QPen(kSurface, 2));
        p.drawLine(frame.At(-shape.HalfWidthAt(water), water),
                   frame.At(shape.HalfWidthAt(water), water));
    }

    // Bed and banks.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kOutline, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF{frame.At(-halfTop, bankHeight), frame.At(-b / 2, 0),
                             frame.At(b / 2, 0), frame.At(halfTop, bankHeight)});

    // h0 and hk across the channel, led out to their labels on the right.
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.95);
    p.setFont(small);
    const double labelX = frame.At(halfTop, 0).x() + 8;
    double lastLabelY = -1e9;
    struct Level {
        double depth;
        const char* symbol;
        QPen pen;
    };
    const Level levels[] = {
        {d.flow.normalDepth, "h0", QPen(kNormal, 1.5, Qt::DashLine)},
        {d.flow.criticalDepth, "hk", QPen(kCritical, 1.5, Qt::DotLine)},
    };
    const double lineHeight = QFontMetricsF(small).height() + 2;
    for (const Level& level : levels) {
        if (!std::isfinite(level.depth) || level.depth <= 0) continue;
        const QPointF left = frame.At(-shape.HalfWidthAt(level.depth), level.depth);
        const QPointF right(labelX - 2, left.y());
        p.setPen(level.pen);
        p.drawLine(left, right);
        double labelY = left.y();
        // Levels close together: the second label moves clear of the first.
        if (std::fabs(labelY - lastLabelY) < lineHeight)
            labelY = lastLabelY + (labelY >= lastLabelY ? lineHeight : -lineHeight);
        lastLabelY = labelY;
        p.setPen(level.pen.color());
        DrawLabel(p, QPointF(labelX, labelY), Metres(level.symbol, level.depth), Qt::AlignLeft);
    }

    // Dimensions of the water drawn: depth h and top width B.
    p.setPen(QPen(Qt::black, 1));
    if (hasWater && tableDepth) {
        const QPointF bed = frame.At(0, 0);
        const QPointF surface = frame.At(0, water);
        DrawDimension(p, bed, surface);
        DrawLabel(p, QPointF(bed.x() + 6, (bed.y() + surface.y()) / 2), Metres("h", water),
                  Qt::AlignLeft);
    }
    if (hasWater) {
        const double y = frame.At(0, water).y() - 14;
        const QPointF left(frame.At(-shape.HalfWidthAt(water), 0).x(), y);
        const QPointF right(frame.At(shape.HalfWidthAt(water), 0).x(), y);
        DrawDimension(p, left, right);
        DrawLabel(p, QPointF((left.x() + right.x()) / 2, y - 2), Metres("B", shape.WidthAt(water)),
                  Qt::AlignHCenter | Qt::AlignBottom);
    }

    // Bottom width below the ground strip, side slope beside a bank.
    if (b > 0) {
        const double y = groundBottom + 8;
        const QPointF left(frame.At(-b / 2, 0).x(), y);
        const QPointF right(frame.At(b / 2, 0).x(), y);
        p.setPen(QPen(Qt::black, 1));
        p.drawLine(frame.At(-b / 2, 0), QPointF(left.x(), y + 4));
        p.drawLine(frame.At(b / 2, 0), QPointF(right.x(), y + 4));
        DrawDimension(p, left, right);
        DrawLabel(p, QPointF((left.x() + right.x()) / 2, y + 4), Metres("b", b),
                  Qt::AlignHCenter | Qt::AlignTop);
    }
    // The left bank carries no other label.
    const double slopeAt = bankHeight * 0.75;
    const QPointF bankPoint = frame.At(-shape.HalfWidthAt(slopeAt), slopeAt);
    const QString slope =
        m > 0 ? QStringLiteral("1:%1").arg(m, 0, 'g', 4) : QStringLiteral("m = 0");
    p.setPen(Qt::black);
    DrawLabel(p, bankPoint - QPointF(12, 0), slope, Qt::AlignRight);

    DrawLegend(p, std::isfinite(d.flow.normalDepth), std::isfinite(d.flow.criticalDepth));
}

}  // namespace channel
