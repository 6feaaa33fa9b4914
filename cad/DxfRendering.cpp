#include "cad/DxfRendering.h"

#include <algorithm>
#include <string>

namespace channel {

namespace {

namespace layers = drawing_layers;

// AutoCAD Color Index values.
constexpr int kRed = 1;
constexpr int kGreen = 3;
constexpr int kCyan = 4;
constexpr int kBlue = 5;
constexpr int kMagenta = 6;
constexpr int kWhite = 7;  // black on a light background

struct LayerColour {
    const char* layer;
    int colour;
};

// Outline, table and texts print black; the water and the levels take
// colours of their own, the dimensions the thin-line green of Chinese CAD
// practice. Dashed and dotted levels are drawn as their dashes, so every
// layer is continuous and no reader needs a linetype scale to show them.
constexpr LayerColour kLayerColours[] = {
    {layers::kTable, kWhite},     {layers::kText, kWhite},          {layers::kSection, kWhite},
    {layers::kWater, kBlue},      {layers::kNormalDepth, kMagenta}, {layers::kCriticalDepth, kRed},
    {layers::kDimension, kGreen}, {layers::kEnlargedDepth, kCyan},  {layers::kCanalDepth, kWhite},
};

int ColourOf(const std::string& layer) {
    for (const LayerColour& entry : kLayerColours) {
        if (layer == entry.layer) return entry.colour;
    }
    return kWhite;
}

void Declare(DxfDrawing& dxf, const std::string& layer) {
    const bool known = std::any_of(dxf.layers.begin(), dxf.layers.end(),
                                   [&layer](const DxfLayer& l) { return l.name == layer; });
    if (!known) dxf.layers.push_back({layer, ColourOf(layer)});
}

DxfPoint At(DrawingPoint p) {
    return {p.x, p.y, 0};
}

}  // namespace

DxfDrawing DxfDrawingOf(const Drawing& drawing) {
    DxfDrawing dxf;
    dxf.textStyle.bigFontFile = kChineseBigFont;
    const DrawingBox extent = Extent(drawing);
    dxf.extentMin = {extent.left, extent.bottom, 0};
    dxf.extentMax = {extent.right, extent.top, 0};
    for (const DrawingLine& line : drawing.lines) {
        Declare(dxf, line.layer);
        for (const LinePiece& piece : PiecesOf(line))
            dxf.entities.emplace_back(DxfLine{At(piece.from), At(piece.to), line.layer});
    }
    for (const DrawingText& text : drawing.texts) {
        Declare(dxf, text.layer);
        // Every anchor is TextAnchor::Middle.
        dxf.entities.emplace_back(
            DxfText{text.utf8Text, At(text.at), At(text.at), double(text.height), kTextWidthFactor,
                    DxfTextAlignment::MiddleCentre, dxf.textStyle.name, text.layer});
    }
    return dxf;
}

}  // namespace channel
