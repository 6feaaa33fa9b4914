#pragma once

#include <QFont>

namespace channel {

// The report's font at `points`: WenQuanYi Micro Hei where it is installed,
// since it carries every Chinese glyph of the report and embeds in PDF
// files; otherwise the application's font, and Qt falls back to one with the
// glyphs.
QFont ReportFont(qreal points, bool bold = false);

}  // namespace channel
