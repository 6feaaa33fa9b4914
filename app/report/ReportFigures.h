#pragma once

#include <QImage>
#include <QString>

namespace channel {

struct SectionDetails;

// The report's pictures, painted with QPainter on white images at
// kFigureDotsPerInch, so the printed page gets them sharp at any size.
inline constexpr int kFigureDotsPerInch = 300;

// The cross-section to scale, as 断面详情 and the CAD drawing show it
// (DescribeSection); a null image, and why in Chinese, when the row's
// section cannot be drawn.
QImage SectionFigure(const SectionDetails& details, QString* whyNot);

// Q(h) from depth 0 to the details' depth scale, with the table's depth and
// discharge marked and the normal depth of the target discharge; a null
// image without uniform flow.
QImage RatingCurveFigure(const SectionDetails& details);

}  // namespace channel
