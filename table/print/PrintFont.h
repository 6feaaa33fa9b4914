#pragma once

#include <QFont>

namespace channel {

// The font family the printout uses: "WenQuanYi Micro Hei" where it is
// installed, because it carries every Chinese glyph of the table and embeds
// cleanly in PDF files; otherwise the application's default family, and Qt
// falls back to a font with the glyphs.
QString PrintFontFamily();

// A font of the print family at `points`, bold or not.
QFont PrintFont(qreal points, bool bold);

}  // namespace channel
