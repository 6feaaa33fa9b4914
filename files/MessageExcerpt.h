#pragma once

#include <QString>

namespace channel {

// Longest piece of a file's content that a refusal quotes, in characters.
inline constexpr qsizetype kMaxExcerptCharacters = 40;

// `text` from a file as a message may quote it: at most
// kMaxExcerptCharacters characters on one line. A longer text keeps its
// beginning and says how long it is, so a message box built around it stays
// small whatever the file holds. Line breaks and other control characters
// become spaces; a surrogate pair is never split.
QString MessageExcerpt(const QString& text);

}  // namespace channel
