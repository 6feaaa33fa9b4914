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

// Longest text value, in bytes, a DXF text is written with. An R12 reader
// takes string values of at most 255 bytes (AutoCAD DXF Reference, "Group
// Code Value Types": the 255-character limit of strings was raised only with
// AutoCAD 2000), and dxflib, which other programs read DXF files with, reads
// a line into a buffer of DL_DXF_MAXLINE = 1024 bytes (dl_codes.h), so a
// value of 1 023 bytes or more runs into the next tags and every text after
// it is lost.
inline constexpr qsizetype kMaxDxfTextBytes = 255;

// Ends a text that was cut to fit: "…" (U+2026, GBK A1 AD).
inline constexpr char16_t kDxfTextCutMark = 0x2026;

// EncodeDxfText, cut to at most `maxBytes` bytes: a longer text keeps the
// whole characters (and whole escapes) that fit before kDxfTextCutMark, so
// the reader sees that it goes on. Encodes no more of a long text than it
// keeps.
QByteArray EncodeDxfText(QStringView text, qsizetype maxBytes);

}  // namespace channel
