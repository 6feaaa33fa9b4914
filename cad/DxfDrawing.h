#pragma once

#include <string>
#include <variant>
#include <vector>

namespace channel {

// The content of one DXF file. Texts and names are kept as UTF-8 here; the
// file writer encodes them.

struct DxfPoint {
    double x = 0;
    double y = 0;
    double z = 0;
};

struct DxfLine {
    DxfPoint start;
    DxfPoint end;
    std::string layer;
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
    std::string layer;
};

struct DxfTextStyle {
    std::string name = "Standard";
    std::string fontFile = "txt";
    std::string bigFontFile;
};

// A layer of the LAYER table; its entities take its colour and linetype.
struct DxfLayer {
    std::string name;
    int colour = 7;  // AutoCAD Color Index
    std::string linetype = "CONTINUOUS";
};

using DxfEntity = std::variant<DxfLine, DxfText>;

struct DxfDrawing {
    DxfTextStyle textStyle;           // the drawing's one, active, text style
    std::vector<DxfLayer> layers;     // besides layer 0, which every file has
    DxfPoint extentMin;               // $EXTMIN: a reader opens zoomed to
    DxfPoint extentMax;               // $EXTMAX  the box between them
    std::vector<DxfEntity> entities;  // model space, in the order drawn
};

}  // namespace channel
