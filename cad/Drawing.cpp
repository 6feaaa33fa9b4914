#include "cad/Drawing.h"

#include <algorithm>
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

}  // namespace channel
