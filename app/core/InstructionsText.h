#pragma once

#include <QByteArrayView>
#include <QString>

namespace channel {

// Largest part of the instructions file that is read and shown. A manual of
// any sensible length fits; a stray huge file is not read into memory.
inline constexpr qint64 kMaxInstructionsBytes = qint64{1024} * 1024;

// Longest line the instructions box is given. Laying out one line costs time
// in the square of its length (a megabyte on one line froze the window for
// over a minute); lines this short lay out in well under a millisecond each,
// and the box wraps them to its width anyway.
inline constexpr qsizetype kMaxInstructionsLineCharacters = 1000;

// The instructions file as one text, read as it decodes best (see
// DecodeInstructionsBytes). Only the first kMaxInstructionsBytes are read; a
// longer file gets a notice at the end saying the rest was left out. A
// missing or unreadable file, or one that is not a regular file, gives "".
// Longer lines are broken (BreakLongLines).
QString LoadInstructionsText(const QString& path);

// `text` with every line longer than `maxCharacters` broken into lines of at
// most that many characters (a surrogate pair is never split); nothing else
// changes, so joining the pieces again gives the text back.
QString BreakLongLines(const QString& text, qsizetype maxCharacters);

// The text of the bytes of a text file: by its byte-order mark when it has
// one, else as UTF-8 when it is valid UTF-8, else as GBK when it is valid
// GBK, else by whichever of the two decodes more of it. Bytes that do not
// decode, and control characters other than tab and line ends, show as
// U+FFFD, never as stray characters. `cut` says the bytes are only the start
// of the file: a character the cut splits at their end is dropped, not
// marked, and does not decide the encoding.
QString DecodeInstructionsBytes(QByteArrayView bytes, bool cut);

}  // namespace channel
