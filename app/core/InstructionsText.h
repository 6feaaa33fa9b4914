#pragma once

#include <QByteArrayView>
#include <QString>

namespace channel {

// Largest part of the instructions file that is read and shown. A manual of
// any sensible length fits; a stray huge file is not read into memory.
inline constexpr qint64 kMaxInstructionsBytes = qint64{1024} * 1024;

// The instructions file as one text, read as it decodes best (see
// DecodeInstructionsBytes). Only the first kMaxInstructionsBytes are read; a
// longer file gets a notice at the end saying the rest was left out. A
// missing or unreadable file, or one that is not a regular file, gives "".
QString LoadInstructionsText(const QString& path);

// The text of the bytes of a text file: by its byte-order mark when it has
// one, else as UTF-8 when it is valid UTF-8, else as GBK when it is valid
// GBK, else by whichever of the two decodes more of it. Bytes that do not
// decode, and control characters other than tab and line ends, show as
// U+FFFD, never as stray characters. `cut` says the bytes are only the start
// of the file: a character the cut splits at their end is dropped, not
// marked, and does not decide the encoding.
QString DecodeInstructionsBytes(QByteArrayView bytes, bool cut);

}  // namespace channel
