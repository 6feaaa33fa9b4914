#include "files/MessageExcerpt.h"

namespace channel {

namespace {

// What stays of the excerpt before the note of the whole length.
constexpr qsizetype kKeptCharacters = kMaxExcerptCharacters - 8;

}  // namespace

QString MessageExcerpt(const QString& text) {
    const bool cut = text.size() > kMaxExcerptCharacters;
    qsizetype kept = cut ? kKeptCharacters : text.size();
    if (cut && text[kept - 1].isHighSurrogate()) --kept;
    QString excerpt = text.first(kept);
    for (QChar& unit : excerpt) {
        if (unit.category() == QChar::Other_Control || unit == QChar::LineSeparator ||
            unit == QChar::ParagraphSeparator)
            unit = u' ';
    }
    if (cut) excerpt += QStringLiteral("…（共 %1 个字符）").arg(text.size());
    return excerpt;
}

}  // namespace channel
