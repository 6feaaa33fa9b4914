#pragma once

#include <QByteArray>
#include <QStringView>

// The bytes of a text for a DXF file whose code page is ANSI_936 (GBK).
// A character GBK cannot hold is written as the DXF escape \U+XXXX, one per
// UTF-16 unit, which CAD programs read back as that character.
QByteArray EncodeDxfText(QStringView text);
