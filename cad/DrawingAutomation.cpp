#include "cad/DrawingAutomation.h"

namespace channel {

DrawingOutcome RenderThroughAutomation(CadConnection& connection, Automation& automation,
                                       const Drawing& drawing) {
    CadSession session(connection, automation);
    if (!session.OpenCadConnection()) return DrawingOutcome::Unreachable;
    for (const DrawingLine& line : drawing.lines) {
        for (const LinePiece& piece : PiecesOf(line))
            session.DrawLine(piece.from.x, piece.from.y, piece.to.x, piece.to.y);
    }
    session.PrepareTextStyle();
    // Every anchor is TextAnchor::Middle, which PlaceText gives each text.
    for (const DrawingText& text : drawing.texts) {
        session.PlaceText(text.utf8Text, text.at.x, text.at.y, text.height);
    }
    return session.AllCallsSucceeded() ? DrawingOutcome::Drawn : DrawingOutcome::Incomplete;
}

}  // namespace channel
