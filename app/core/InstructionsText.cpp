#include "app/core/InstructionsText.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include "app/core/ShellTexts.h"

namespace channel {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

// What one character's bytes, starting at a given offset, turned out to be.
// `length` is the character's byte count when Complete; otherwise the bytes
// of its valid beginning (at least one), which one U+FFFD stands for.
struct CharacterScan {
    enum Kind { Complete, CutOff, Invalid } kind;
    qsizetype length;
};

unsigned char ByteAt(QByteArrayView bytes, qsizetype at) {
    return static_cast<unsigned char>(bytes[at]);
}

// Well-formed UTF-8 only: no overlong forms, surrogates or code points past
// U+10FFFF.
CharacterScan ScanUtf8(QByteArrayView bytes, qsizetype at) {
    const unsigned char lead = ByteAt(bytes, at);
    if (lead < 0x80) return {CharacterScan::Complete, 1};
    int trailing = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        trailing = 1;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        trailing = 2;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        trailing = 3;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return {CharacterScan::Invalid, 1};
    }
    for (int k = 1; k <= trailing; ++k) {
        if (at + k >= bytes.size()) return {CharacterScan::CutOff, k};
        const unsigned char next = ByteAt(bytes, at + k);
        if (next < low || next > high) return {CharacterScan::Invalid, k};
        low = 0x80;
        high = 0xBF;
    }
    return {CharacterScan::Complete, trailing + 1};
}

// Code page 936: ASCII, 0x80 (the euro sign), or a lead byte 0x81-0xFE with
// a trail byte 0x40-0xFE other than 0x7F.
CharacterScan ScanGbk(QByteArrayView bytes, qsizetype at) {
    const unsigned char lead = ByteAt(bytes, at);
    if (lead <= 0x80) return {CharacterScan::Complete, 1};
    if (lead == 0xFF) return {CharacterScan::Invalid, 1};
    if (at + 1 >= bytes.size()) return {CharacterScan::CutOff, 1};
    const unsigned char trail = ByteAt(bytes, at + 1);
    if (trail < 0x40 || trail == 0x7F || trail == 0xFF) return {CharacterScan::Invalid, 1};
    return {CharacterScan::Complete, 2};
}

struct Decoding {
    QString text;
    qsizetype errors = 0;
    qsizetype multiByteCharacters = 0;
};

// Walks the bytes character by character; runs of whole characters go to
// `decodeRun`, every invalid stretch becomes one U+FFFD.
template <typename Scan, typename DecodeRun>
Decoding Decode(QByteArrayView bytes, bool cut, Scan scan, DecodeRun decodeRun) {
    Decoding result;
    qsizetype runStart = 0;
    qsizetype at = 0;
    auto flushRun = [&] {
        if (at > runStart) decodeRun(bytes.sliced(runStart, at - runStart), result);
    };
    while (at < bytes.size()) {
        const CharacterScan character = scan(bytes, at);
        if (character.kind == CharacterScan::Complete) {
            if (character.length > 1) ++result.multiByteCharacters;
            at += character.length;
            continue;
        }
        flushRun();
        if (character.kind == CharacterScan::CutOff && cut) {
            runStart = at = bytes.size();
            break;
        }
        result.text += kReplacement;
        ++result.errors;
        at += character.length;
        runStart = at;
    }
    flushRun();
    return result;
}

Decoding DecodeUtf8(QByteArrayView bytes, bool cut) {
    return Decode(bytes, cut, ScanUtf8,
                  [](QByteArrayView run, Decoding& out) { out.text += QString::fromUtf8(run); });
}

// The codec may still lack a mapping for a well-formed pair; it writes U+FFFD
// for it, which GBK cannot otherwise produce.
Decoding DecodeGbk(QByteArrayView bytes, bool cut) {
    QStringDecoder gbk("GBK", QStringDecoder::Flag::Stateless);
    if (!gbk.isValid()) return {{}, bytes.size() + 1};
    return Decode(bytes, cut, ScanGbk, [&gbk](QByteArrayView run, Decoding& out) {
        const QString text = gbk.decode(run);
        out.errors += text.count(QChar(kReplacement));
        out.text += text;
    });
}

bool IsShownAsIs(char16_t unit) {
    if (unit == '\t' || unit == '\n' || unit == '\r') return true;
    return unit >= 0x20 && !(unit >= 0x7F && unit <= 0x9F);
}

// Control characters and unpaired surrogates have no glyph; the box would
// show them as boxes or not at all.
QString Displayable(QString text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar unit = text[i];
        if (unit.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
        } else if (unit.isSurrogate() || !IsShownAsIs(unit.unicode())) {
            text[i] = QChar(kReplacement);
        }
    }
    return text;
}

}  // namespace

QString DecodeInstructionsBytes(QByteArrayView bytes, bool cut) {
    if (const auto marked = QStringConverter::encodingForData(bytes)) {
        if (*marked == QStringConverter::Utf8) {
            return Displayable(DecodeUtf8(bytes.sliced(3), cut).text);
        }
        // UTF-16 and UTF-32: Qt's decoder keeps a cut-off unit pending, so it
        // is dropped, and writes U+FFFD for what is invalid.
        QStringDecoder decoder(*marked);
        QString text = decoder.decode(bytes);
        if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
        return Displayable(text);
    }
    // Text in another encoding hardly ever forms a valid UTF-8 multi-byte
    // character, so a few of them outweigh as many errors.
    Decoding utf8 = DecodeUtf8(bytes, cut);
    if (utf8.errors == 0 || utf8.multiByteCharacters > utf8.errors)
        return Displayable(std::move(utf8.text));
    Decoding gbk = DecodeGbk(bytes, cut);
    return Displayable(std::move(gbk.errors <= utf8.errors ? gbk.text : utf8.text));
}

QString BreakLongLines(const QString& text, qsizetype maxCharacters) {
    if (maxCharacters < 2) return text;
    QString broken;
    qsizetype lineLength = 0;
    qsizetype from = 0;
    for (qsizetype at = 0; at < text.size(); ++at) {
        const QChar unit = text[at];
        if (unit == u'\n' || unit == u'\r') {
            lineLength = 0;
            continue;
        }
        if (lineLength >= maxCharacters && !unit.isLowSurrogate()) {
            broken += QStringView(text).sliced(from, at - from);
            broken += u'\n';
            from = at;
            lineLength = 0;
        }
        ++lineLength;
    }
    if (from == 0) return text;
    broken += QStringView(text).sliced(from);
    return broken;
}

QString LoadInstructionsText(const QString& path) {
    // A pipe or a device could block the window or never end.
    if (!QFileInfo(path).isFile()) return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    // One byte past the cap tells whether anything was left out, without
    // reading the rest.
    QByteArray bytes = file.read(kMaxInstructionsBytes + 1);
    file.close();
    const bool cut = bytes.size() > kMaxInstructionsBytes;
    if (cut) bytes.truncate(kMaxInstructionsBytes);
    QString text =
        BreakLongLines(DecodeInstructionsBytes(bytes, cut), kMaxInstructionsLineCharacters);
    if (cut)
        text += shell_text::kInstructionsCut.arg(kMaxInstructionsBytes / (qint64{1024} * 1024));
    return text;
}

}  // namespace channel
