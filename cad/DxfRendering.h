#pragma once

#include "cad/Drawing.h"
#include "cad/DxfDrawing.h"

namespace channel {

// The DXF content of `drawing`: every line as the pieces AutoCAD is given
// (PiecesOf), then every text centred on its point, narrowed to
// kTextWidthFactor, in the text style with the Chinese big font; each entity
// on its description layer, every layer used declared with its colour, and
// the drawing's extent as the file's extent. Plain C++, so that the COM
// check under Wine can compare what AutoCAD is given with the file's content.
DxfDrawing DxfDrawingOf(const Drawing& drawing);

}  // namespace channel
