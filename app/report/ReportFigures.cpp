#include "app/report/ReportFigures.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "app/core/DrawingPainter.h"
#include "app/core/SectionDetails.h"
#include "app/core/SectionExport.h"
#include "app/report/ReportFont.h"
#include "app/report/ReportTexts.h"
#include "cad/SectionDrawing.h"

namespace channel {

namespace {

constexpr int kCurvePoints = 80;

QImage BlankFigure(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    const int dotsPerMetre = static_cast<int>(std::lround(kFigureDotsPerInch / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    return image;
}

// A step of 1, 2 or 5 times a power of ten giving about five intervals.
double TickStep(double span) {
    const double rough = span / 5;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double factor : {1.0, 2.0, 5.0})
        if (factor * power >= rough) return factor * power;
    return 10 * power;
}

QString TickText(double value, double step) {
    const int decimals = std::max(0, -static_cast<int>(std::floor(std::log10(step))));
    return QString::number(value, 'f', decimals);
}

}  // namespace

QImage SectionFigure(const SectionDetails& details, QString* whyNot) {
    const SectionDimensions section = SectionOf(details);
    const Outcome<std::string> drawable = SectionDrawable(section);
    if (!details.inputsRead || !drawable.ok()) {
        if (whyNot) {
            *whyNot =
                details.inputsRead ? QString::fromStdString(drawable.reason()) : details.reason;
        }
        return {};
    }
    QImage image = BlankFigure(1800, 1100);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(ReportFont(10));
    const Drawing drawing = DescribeSection(section);
    PaintDrawing(painter, drawing, Extent(drawing),
                 QRectF(image.rect()).adjusted(30, 30, -30, -30));
    return image;
}

QImage RatingCurveFigure(const SectionDetails& details) {
    const QList<QPointF> curve = RatingCurve(details, kCurvePoints);
    if (curve.isEmpty()) return {};
    double maxQ = 0;
    for (const QPointF& point : curve)
        if (std::isfinite(point.x())) maxQ = std::max(maxQ, point.x());
    const double maxH = curve.last().y();
    if (!(maxQ > 0 && maxH > 0)) return {};
    const double stepQ = TickStep(maxQ);
    const double stepH = TickStep(maxH);
    const double topQ = std::ceil(maxQ / stepQ) * stepQ;
    const double topH = std::ceil(maxH / stepH) * stepH;

    QImage image = BlankFigure(1800, 1000);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(ReportFont(8));
    const QRectF plot(QPointF(190, 50), QPointF(image.width() - 60, image.height() - 160));
    const auto at = [&](double q, double h) {
        return QPointF(plot.left() + plot.width() * q / topQ,
                       plot.bottom() - plot.height() * h / topH);
    };
    const QFontMetricsF metrics(painter.font());

    painter.setPen(QPen(QColor(215, 215, 215), 2));
    for (double q = 0; q <= topQ + stepQ / 2; q += stepQ) painter.drawLine(at(q, 0), at(q, topH));
    for (double h = 0; h <= topH + stepH / 2; h += stepH) painter.drawLine(at(0, h), at(topQ, h));
    painter.setPen(QPen(Qt::black, 3));
    painter.drawRect(plot);
    for (double q = 0; q <= topQ + stepQ / 2; q += stepQ) {
        const QString text = TickText(q, stepQ);
        painter.drawText(
            at(q, 0) + QPointF(-metrics.horizontalAdvance(text) / 2, metrics.ascent() + 12), text);
    }
    for (double h = 0; h <= topH + stepH / 2; h += stepH) {
        const QString text = TickText(h, stepH);
        painter.drawText(at(0, h) + QPointF(-metrics.horizontalAdvance(text) - 14,
                                            (metrics.ascent() - metrics.descent()) / 2),
                         text);
    }
    const QString qAxis = QString::fromUtf8(report_text::kDischargeAxis);
    painter.drawText(
        QPointF(plot.center().x() - metrics.horizontalAdvance(qAxis) / 2, image.height() - 30),
        qAxis);
    painter.save();
    const QString hAxis = QString::fromUtf8(report_text::kDepthAxis);
    painter.translate(50, plot.center().y() + metrics.horizontalAdvance(hAxis) / 2);
    painter.rotate(-90);
    painter.drawText(QPointF(0, 0), hAxis);
    painter.restore();

    QPainterPath path;
    path.moveTo(at(curve.first().x(), curve.first().y()));
    for (const QPointF& point : curve) path.lineTo(at(point.x(), point.y()));
    painter.setPen(QPen(QColor(25, 95, 185), 5));
    painter.drawPath(path);

    // The labels on opposite sides of their point: h0 and the table's depth
    // lie within a 0.01 m step of each other.
    const auto mark = [&](double q, double h, const QColor& colour, const QString& label,
                          bool above) {
        if (!(std::isfinite(q) && std::isfinite(h))) return;
        painter.setPen(QPen(colour, 3, Qt::DashLine));
        painter.drawLine(at(0, h), at(q, h));
        painter.drawLine(at(q, 0), at(q, h));
        painter.setBrush(colour);
        painter.drawEllipse(at(q, h), 10, 10);
        painter.setPen(colour);
        const double width = metrics.horizontalAdvance(label);
        painter.drawText(
            at(q, h) + (above ? QPointF(-width - 22, -22) : QPointF(22, metrics.ascent() + 10)),
            label);
    };
    const FlowAnalysis& f = details.flow;
    mark(f.discharge, f.normalDepth, QColor(10, 60, 140), QStringLiteral("h0"), true);
    mark(details.tableDischarge, details.tableDepth, QColor(200, 40, 40), QStringLiteral("表中 h"),
         false);
    return image;
}

}  // namespace channel
