#include "cad/DxfTextEncoding.h"

#include <QStringEncoder>
#include <algorithm>

namespace channel {

namespace {

constexpr char32_t kReplacementMark = 0xFFFD;

void AppendEscape(QByteArray& bytes, char32_t character) {
    bytes += "\\U+";
    bytes += QByteArray::number(static_cast<uint>(character), 16).toUpper().rightJustified(4, '0');
}

bool IsLineBreakOrControl(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029;
}

// AutoCAD reads \U+XXXX and \M+NXXXX inside a text as escapes.
bool StartsEscape(QStringView text, qsizetype at) {
    if (text[at] != u'\\' || at + 2 >= text.size() || text[at + 2] != u'+') return false;
    const char16_t letter = text[at + 1].toUpper().unicode();
    return letter == u'U' || letter == u'M';
}

// Code page 936 readers agree on every two-byte character except the
// private-use ones; the euro sign, a single byte 0x80 in Windows' table, is
// unknown to others. Those are written as escapes.
bool IsReadAlikeEverywhere(char32_t character, const QByteArray& encoded) {
    return encoded.size() == 2 && !(character >= 0xE000 && character <= 0xF8FF);
}

// The character at `at` and how many UTF-16 units it takes. An unpaired
// surrogate comes back as itself, one unit long.
char32_t CharacterAt(QStringView text, qsizetype at, qsizetype& units) {
    const QChar unit = text[at];
    if (unit.isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate()) {
        units = 2;
        return QChar::surrogateToUcs4(unit, text[at + 1]);
    }
    units = 1;
    return unit.unicode();
}

}  // namespace

QByteArray EncodeDxfText(QStringView text) {
    return EncodeDxfText(text, -1);
}

// maxBytes < 0: no limit.
QByteArray EncodeDxfText(QStringView text, qsizetype maxBytes) {
    const QByteArray cutMark = QByteArray::fromHex("a1ad");
    QByteArray bytes;
    bytes.reserve(maxBytes < 0 ? text.size() * 2 : std::min(text.size() * 2, maxBytes + 8));
    // The end of the last character after which the cut mark still fits.
    qsizetype fits = 0;
    qsizetype units = 0;
    for (qsizetype at = 0; at < text.size(); at += units) {
        if (maxBytes >= 0) {
            if (bytes.size() > maxBytes) break;
            if (bytes.size() + cutMark.size() <= maxBytes) fits = bytes.size();
        }
        char32_t character = CharacterAt(text, at, units);
        if (IsLineBreakOrControl(character)) {
            bytes += ' ';
            continue;
        }
        // "%%" starts one of AutoCAD's control codes (%%d, %%u, %%p ...); a
        // typed percent sign before another one is written escaped so the
        // text reads back as typed.
        if (character == u'%' && at + 1 < text.size() && text[at + 1] == u'%') {
            AppendEscape(bytes, character);
            continue;
        }
        if (character == u'\\' && StartsEscape(text, at)) {
            AppendEscape(bytes, character);
            continue;
        }
        if (character < 0x80) {
            bytes += static_cast<char>(character);
            continue;
        }
        if (character > 0xFFFF || QChar::isSurrogate(character)) {
            AppendEscape(bytes, kReplacementMark);
            continue;
        }
        // A fresh encoder per character: its error flag then tells exactly
        // which characters GBK lacks (a used one keeps the flag, and ICU's
        // does not reliably raise it again). Without a GBK codec every
        // non-ASCII character is escaped, which still reads back correctly.
        QStringEncoder gbk("GBK", QStringConverter::Flag::Stateless);
        const QChar unit(static_cast<char16_t>(character));
        const QByteArray encoded =
            gbk.isValid() ? QByteArray(gbk.encode(QStringView(&unit, 1))) : QByteArray();
        if (gbk.isValid() && !gbk.hasError() && IsReadAlikeEverywhere(character, encoded)) {
            bytes += encoded;
        } else {
            AppendEscape(bytes, character);
        }
    }
    if (maxBytes >= 0 && bytes.size() > maxBytes) {
        bytes.truncate(fits);
        bytes += cutMark;
    }
    return bytes;
}

}  // namespace channel
