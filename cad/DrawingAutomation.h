#pragma once

#include "cad/Automation.h"
#include "cad/CadConnection.h"
#include "cad/Drawing.h"
#include "cad/DrawingOutcome.h"

namespace channel {

// Draws `drawing` into the active drawing of the application `automation`
// reaches: opens the connection, draws every line (a dashed or dotted one as
// its dashes, each a line), prepares the text style and places every text, in
// the description's order. Layers and the frame are not drawn.
DrawingOutcome RenderThroughAutomation(CadConnection& connection, Automation& automation,
                                       const Drawing& drawing);

}  // namespace channel
