#include "app/widgets/SectionView.h"

#include <QPainter>
#include <cmath>
#include <string>

#include "app/core/DrawingPainter.h"
#include "app/core/SectionExport.h"
#include "cad/SectionDrawing.h"

namespace channel {

namespace {

constexpr int kMargin = 12;

// The section as the CAD drawing shows it, the water at h0 when the table
// has no depth yet.
SectionDimensions ViewedSection(const SectionDetails& d) {
    SectionDimensions section = SectionOf(d);
    if (!(std::isfinite(section.depth) && section.depth > 0)) section.depth = section.normalDepth;
    return section;
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
    const SectionDimensions section = ViewedSection(details_);
    const Outcome<std::string> drawable = SectionDrawable(section);
    if (!details_.inputsRead || !drawable.ok()) {
        p.setPen(Qt::darkGray);
        const QString reason =
            details_.reason.isEmpty() ? QString::fromStdString(drawable.reason()) : details_.reason;
        p.drawText(QRectF(rect()).adjusted(20, 20, -20, -20), Qt::AlignCenter | Qt::TextWordWrap,
                   reason);
        return;
    }
    const Drawing drawing = DescribeSection(section);
    PaintDrawing(p, drawing, Extent(drawing),
                 QRectF(rect()).adjusted(kMargin, kMargin, -kMargin, -kMargin));
}

}  // namespace channel
