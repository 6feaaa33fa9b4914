// Instructions decoding: any bytes give a text of displayable characters, no
// longer than the bytes, the same every time. Valid UTF-8 (without a mark)
// shows as itself, and a cut anywhere in it shows a beginning of that text.
#include <QStringDecoder>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "FuzzCheck.h"
#include "app/core/InstructionsText.h"

namespace channel {

namespace {

bool IsDisplayable(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
            continue;
        }
        if (c.isSurrogate()) return false;
        if (c.category() == QChar::Other_Control && c != u'\t' && c != u'\n' && c != u'\r')
            return false;
    }
    return true;
}

// The text as the window shows it: controls other than tab and line ends
// marked.
QString Shown(QString text) {
    for (QChar& c : text) {
        if (c.category() == QChar::Other_Control && c != u'\t' && c != u'\n' && c != u'\r')
            c = QChar(0xFFFD);
    }
    return text;
}

}  // namespace

}  // namespace channel

using namespace channel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Four bytes say where to cut, the rest is the file.
    uint32_t cutAt = 0;
    if (size < sizeof cutAt) return 0;
    std::memcpy(&cutAt, data, sizeof cutAt);
    const QByteArrayView bytes(reinterpret_cast<const char*>(data) + sizeof cutAt,
                               static_cast<qsizetype>(size - sizeof cutAt));

    for (const bool cut : {false, true}) {
        const QString text = DecodeInstructionsBytes(bytes, cut);
        FUZZ_CHECK(text == DecodeInstructionsBytes(bytes, cut));
        FUZZ_CHECK(text.size() <= bytes.size());
        FUZZ_CHECK(IsDisplayable(text));
    }

    QStringDecoder strict(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString utf8 = strict.decode(bytes);
    if (strict.hasError() || QStringConverter::encodingForData(bytes)) return 0;
    const QString whole = DecodeInstructionsBytes(bytes, false);
    FUZZ_CHECK(whole == Shown(utf8));
    const qsizetype at = bytes.isEmpty() ? 0 : static_cast<qsizetype>(cutAt % bytes.size());
    FUZZ_CHECK(whole.startsWith(DecodeInstructionsBytes(bytes.first(at), true)));
    return 0;
}
