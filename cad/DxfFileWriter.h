#pragma once

#include <QByteArray>
#include <QString>

#include "cad/DxfDrawing.h"
#include "io/Outcome.h"

namespace channel {

// The drawing as an AutoCAD R12 DXF file in code page ANSI_936: texts and
// layer names in GBK, the extent in the header, the layers with their colours
// and linetypes, the text style with its big-font file, lines and texts in
// model space, each on its layer. A text value longer than a reader takes
// is cut (kMaxDxfTextBytes), with a mark that it goes on.
// R12 because it is the version whose STYLE table keeps the big font and that
// every CAD program still reads. Fails, saying so in Chinese, when the DXF
// library cannot write R12.
Result<QByteArray, QString> DxfFileBytes(const DxfDrawing& drawing);

// Writes the file all at once: an existing file at `path` is replaced only
// after every byte has been written and is left untouched by a failure,
// which says why in Chinese.
Outcome<QString> SaveDxfDrawing(const DxfDrawing& drawing, const QString& path);

}  // namespace channel
