#pragma once

#include <QByteArray>
#include <QStringView>

namespace channel {

// The bytes of a text for a DXF file whose code page is ANSI_936 (GBK).
// Always one line of printable bytes, so the file's structure holds:
// - line breaks and other control characters become spaces;
// - a character GBK cannot hold is written as the DXF escape \U+XXXX, which
//   CAD programs read back as that character;
// - the escape has four hex digits, so a character beyond U+FFFF (an emoji)
//   and an unpaired surrogate are written as U+FFFD, the replacement mark;
// - a backslash that would start an escape of its own (\U+ or \M+) is
//   written as \U+005C, so the text reads back as typed.
QByteArray EncodeDxfText(QStringView text);

}  // namespace channel
