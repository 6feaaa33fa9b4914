#include "cad/Drawing.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace channel {

namespace {

// Code points from U+1000 up (CJK and the full-width forms among them) take a
// full height, which overestimates the few narrow scripts there; UTF-8
// continuation bytes are not counted.
double WidthInHeights(const std::string& utf8) {
    constexpr double kNarrow = 0.6;
    double width = 0;
    for (const char c : utf8) {
        const auto byte = static_cast<std::uint8_t>(c);
        if ((byte & 0xC0U) == 0x80U) continue;
        const bool wide = byte >= 0xE1U;
        width += wide ? 1.0 : kNarrow;
    }
    return width;
}

void Include(DrawingBox& box, const DrawingBox& part) {
    box.left = std::min(box.left, part.left);
    box.bottom = std::min(box.bottom, part.bottom);
    box.right = std::max(box.right, part.right);
    box.top = std::max(box.top, part.top);
}

}  // namespace

DashPattern PatternOf(LineStyle style) {
    return style == LineStyle::Dotted ? kDottedPattern : kDashedPattern;
}

DrawingBox TextBox(const DrawingText& text) {
    const double halfWidth = WidthInHeights(text.utf8Text) * text.height * kTextWidthFactor / 2;
    const double halfHeight = text.height / 2.0;
    return {text.at.x - halfWidth, text.at.y - halfHeight, text.at.x + halfWidth,
            text.at.y + halfHeight};
}

DrawingBox Extent(const Drawing& drawing) {
    bool first = true;
    DrawingBox box;
    const auto add = [&](const DrawingBox& part) {
        if (first) box = part;
        Include(box, part);
        first = false;
    };
    for (const DrawingLine& line : drawing.lines) {
        add({std::min(line.from.x, line.to.x), std::min(line.from.y, line.to.y),
             std::max(line.from.x, line.to.x), std::max(line.from.y, line.to.y)});
    }
    for (const DrawingText& text : drawing.texts) add(TextBox(text));
    return box;
}

std::vector<LinePiece> PiecesOf(const DrawingLine& line) {
    if (line.style == LineStyle::Solid) return {{line.from, line.to}};
    std::vector<LinePiece> pieces;
    const DashPattern dashes = PatternOf(line.style);
    const double dx = line.to.x - line.from.x;
    const double dy = line.to.y - line.from.y;
    const double length = std::hypot(dx, dy);
    if (length == 0) return pieces;
    const double ux = dx / length;
    const double uy = dy / length;
    // How far a point lies beyond the line's end along it; below zero before
    // it. Each dash's start is worked out from the line's, so no rounding
    // accumulates; along an axis the arithmetic is the plain sum on that axis.
    const auto beyondEnd = [&](DrawingPoint p) {
        return (p.x - line.to.x) * ux + (p.y - line.to.y) * uy;
    };
    const double period = dashes.on + dashes.off;
    for (int k = 0;; ++k) {
        const DrawingPoint start{line.from.x + period * k * ux, line.from.y + period * k * uy};
        if (beyondEnd(start) >= 0) break;
        DrawingPoint end{start.x + dashes.on * ux, start.y + dashes.on * uy};
        if (beyondEnd(end) > 0) end = line.to;
        pieces.push_back({start, end});
    }
    return pieces;
}

}  // namespace channel
