#pragma once

#include <string>
#include <variant>
#include <vector>

namespace channel {

// What our own automation server draws: the content of one DXF file.
// Texts are kept as UTF-8 here; the file writer encodes them.

struct DxfPoint {
    double x = 0;
    double y = 0;
    double z = 0;
};

struct DxfLine {
    DxfPoint start;
    DxfPoint end;
};

enum class DxfTextAlignment {
    Left,          // on its insertion point, the default
    MiddleCentre,  // centred both ways on its alignment point
};

struct DxfText {
    std::string utf8Text;
    DxfPoint insertion;
    DxfPoint alignmentPoint;
    double height = 0;
    double widthFactor = 1;
    DxfTextAlignment alignment = DxfTextAlignment::Left;
    std::string styleName;
};

struct DxfTextStyle {
    std::string name = "Standard";
    std::string fontFile = "txt";
    std::string bigFontFile;
};

using DxfEntity = std::variant<DxfLine, DxfText>;

struct DxfDrawing {
    DxfTextStyle textStyle;           // the drawing's one, active, text style
    std::vector<DxfEntity> entities;  // model space, in the order drawn
};

}  // namespace channel
