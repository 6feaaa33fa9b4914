#include "cad/DrawingAutomation.h"

#include <cmath>

namespace channel {

namespace {

// Dashes from `line.from` towards `line.to`, each `on` long, one every
// on + off, the last cut at `line.to`. Each dash's start is worked out from the
// line's, so no rounding accumulates; along an axis the arithmetic is the
// plain sum on that axis.
void DrawDashes(CadSession& session, const DrawingLine& line) {
    const DashPattern dashes = PatternOf(line.style);
    const double dx = line.to.x - line.from.x;
    const double dy = line.to.y - line.from.y;
    const double length = std::hypot(dx, dy);
    if (length == 0) return;
    const double ux = dx / length;
    const double uy = dy / length;
    // How far `p` lies beyond the line's end along it; below zero before it.
    const auto beyondEnd = [&](double x, double y) {
        return (x - line.to.x) * ux + (y - line.to.y) * uy;
    };
    const double period = dashes.on + dashes.off;
    for (int k = 0;; ++k) {
        const double x = line.from.x + period * k * ux;
        const double y = line.from.y + period * k * uy;
        if (beyondEnd(x, y) >= 0) break;
        double endX = x + dashes.on * ux;
        double endY = y + dashes.on * uy;
        if (beyondEnd(endX, endY) > 0) {
            endX = line.to.x;
            endY = line.to.y;
        }
        session.DrawLine(x, y, endX, endY);
    }
}

}  // namespace

DrawingOutcome RenderThroughAutomation(CadConnection& connection, Automation& automation,
                                       const Drawing& drawing) {
    CadSession session(connection, automation);
    if (!session.OpenCadConnection()) return DrawingOutcome::Unreachable;
    for (const DrawingLine& line : drawing.lines) {
        if (line.style == LineStyle::Solid) {
            session.DrawLine(line.from.x, line.from.y, line.to.x, line.to.y);
        } else {
            DrawDashes(session, line);
        }
    }
    session.PrepareTextStyle();
    // Every anchor is TextAnchor::Middle, which PlaceText gives each text.
    for (const DrawingText& text : drawing.texts) {
        session.PlaceText(text.utf8Text, text.at.x, text.at.y, text.height);
    }
    return session.AllCallsSucceeded() ? DrawingOutcome::Drawn : DrawingOutcome::Incomplete;
}

}  // namespace channel
