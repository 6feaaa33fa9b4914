#pragma once

#include <QStringList>

class QFont;

namespace channel {

// Draws `texts` once, in `font`, into an image that is thrown away: the
// glyphs are rasterized into the font's cache, so the first time a widget
// shows one of these texts it only copies them. Costs about what drawing
// the texts costs; meant for idle time, for texts a first action shows.
void WarmGlyphs(const QFont& font, const QStringList& texts);

}  // namespace channel
