#include "cad/DxfTextEncoding.h"

#include <QStringEncoder>

namespace {

void AppendEscaped(QByteArray& bytes, QStringView character) {
    for (const QChar unit : character) {
        bytes += "\\U+";
        bytes += QByteArray::number(unit.unicode(), 16).toUpper().rightJustified(4, '0');
    }
}

}  // namespace

QByteArray EncodeDxfText(QStringView text) {
    QByteArray bytes;
    bytes.reserve(text.size() * 2);
    qsizetype i = 0;
    while (i < text.size()) {
        const bool pair = text[i].isHighSurrogate() && i + 1 < text.size() &&
                          text[i + 1].isLowSurrogate();
        const QStringView character = text.mid(i, pair ? 2 : 1);
        i += character.size();
        if (character.size() == 1 && character[0].unicode() < 0x80) {
            bytes += static_cast<char>(character[0].unicode());
            continue;
        }
        // A fresh encoder per character: its error flag then tells exactly
        // which characters GBK lacks. Without a GBK codec every non-ASCII
        // character is escaped, which still reads back correctly.
        QStringEncoder gbk("GBK", QStringConverter::Flag::Stateless);
        const QByteArray encoded = gbk.isValid() ? QByteArray(gbk.encode(character)) : QByteArray();
        if (gbk.isValid() && !gbk.hasError()) {
            bytes += encoded;
        } else {
            AppendEscaped(bytes, character);
        }
    }
    return bytes;
}
