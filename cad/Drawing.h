#pragma once

#include <string>
#include <vector>

namespace channel {

// A drawing described once, in drawing units with y up, for every renderer:
// the automation calls that draw it in AutoCAD or a DXF file, and QPainter
// for the screen and paper. Plain C++: it is part of the CAD core that is
// also built for Windows.

struct DrawingPoint {
    double x = 0;
    double y = 0;
};

// An axis-aligned box, left <= right and bottom <= top.
struct DrawingBox {
    double left = 0;
    double bottom = 0;
    double right = 0;
    double top = 0;
    double Width() const { return right - left; }
    double Height() const { return top - bottom; }
    bool Contains(DrawingPoint p) const {
        return p.x >= left && p.x <= right && p.y >= bottom && p.y <= top;
    }
    bool Contains(const DrawingBox& b) const {
        return b.left >= left && b.right <= right && b.bottom >= bottom && b.top <= top;
    }
    // Sharing only an edge is no overlap.
    bool Overlaps(const DrawingBox& b) const {
        return b.left < right && left < b.right && b.bottom < top && bottom < b.top;
    }
};

enum class LineStyle {
    Solid,
    Dashed,  // kDashedPattern along the line
    Dotted,  // kDottedPattern along the line
};

// Lengths of a dash and of the gap after it, in drawing units.
struct DashPattern {
    double on;
    double off;
};
inline constexpr DashPattern kDashedPattern{4, 2};
inline constexpr DashPattern kDottedPattern{1.5, 1.5};
// The pattern of a dashed or dotted style.
DashPattern PatternOf(LineStyle style);

struct DrawingLine {
    DrawingPoint from;
    DrawingPoint to;
    LineStyle style = LineStyle::Solid;
    std::string layer;
};

enum class TextAnchor {
    Middle,  // the text's box centred both ways on its point
};

// Every text is narrowed to this fraction of its font's width.
inline constexpr double kTextWidthFactor = 0.7;
// The big-font file a CAD renderer gives its text style, for the Chinese
// characters the plain SHX fonts lack.
inline constexpr char kChineseBigFont[] = "hztxt.shx";

struct DrawingText {
    std::string utf8Text;
    DrawingPoint at;
    TextAnchor anchor = TextAnchor::Middle;
    int height = 0;  // of a capital, in drawing units
    std::string layer;
};

// The box a text covers, estimated without its font: a full-width (CJK)
// character one height wide, any other 0.6 height, both narrowed by
// kTextWidthFactor.
DrawingBox TextBox(const DrawingText& text);

// Lines and texts each in the order they are drawn: all lines before the
// first text. `frame` is the area the drawing keeps within.
struct Drawing {
    DrawingBox frame;
    std::vector<DrawingLine> lines;
    std::vector<DrawingText> texts;
};

// The smallest box holding every line and every text's box.
DrawingBox Extent(const Drawing& drawing);

// The pieces a CAD renderer draws `line` as, from its start towards its end:
// a solid line whole, a dashed or dotted one as its dashes, each `on` long,
// one every on + off, the last cut at the line's end.
struct LinePiece {
    DrawingPoint from;
    DrawingPoint to;
};
std::vector<LinePiece> PiecesOf(const DrawingLine& line);

// The layers the drawings put their lines and texts on, named as a CAD user
// finds them in the layer list.
namespace drawing_layers {
inline constexpr char kTable[] = "表格线";            // the table's rules
inline constexpr char kText[] = "文字";               // titles, headings, values, the scale
inline constexpr char kSection[] = "断面";            // bed, banks, bank tops
inline constexpr char kWater[] = "水面";              // the water surface at h
inline constexpr char kNormalDepth[] = "正常水深";    // h0 and its value
inline constexpr char kCriticalDepth[] = "临界水深";  // hk and its value
inline constexpr char kDimension[] = "标注";          // dimensions, their values, 1:m
inline constexpr char kEnlargedDepth[] = "加大水深";  // hb of a designed canal and its value
inline constexpr char kCanalDepth[] = "渠深";         // H of a designed canal at the bank top
}  // namespace drawing_layers

}  // namespace channel
