// DXF export: the elements table, every cell any text, described by the real
// drawing code and written by the DXF writer. The bytes
// must always read back: tag lines in pairs, sections and tables balanced,
// the end marker last, and every text one line that decodes (GBK, then the
// \U+XXXX escapes) to the text drawn, as a drawing can hold it: whole, or
// when its value would pass what readers take, the beginning that fits
// followed by the cut mark.
#include <fuzzer/FuzzedDataProvider.h>

#include <QList>
#include <QStringDecoder>
#include <array>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "cad/CellTextSource.h"
#include "cad/DxfFileWriter.h"
#include "cad/DxfRendering.h"
#include "cad/DxfTextEncoding.h"
#include "cad/TableDrawing.h"
#include "table/ElementsLayout.h"

namespace channel {

namespace {

using elements_table::kColumns;
using elements_table::kRows;

struct Tag {
    int code;
    std::string_view value;
};

std::vector<Tag> ReadTags(std::string_view bytes) {
    std::vector<std::string_view> lines;
    while (!bytes.empty()) {
        const size_t end = bytes.find("\r\n");
        FUZZ_CHECK(end != std::string_view::npos);  // every line ends in CR LF
        lines.push_back(bytes.substr(0, end));
        bytes.remove_prefix(end + 2);
    }
    FUZZ_CHECK(lines.size() % 2 == 0);
    std::vector<Tag> tags;
    for (size_t i = 0; i < lines.size(); i += 2) {
        std::string_view code = lines[i];
        while (!code.empty() && code.front() == ' ') code.remove_prefix(1);
        int number = -1;
        const auto [end, error] = std::from_chars(code.data(), code.data() + code.size(), number);
        FUZZ_CHECK(error == std::errc() && end == code.data() + code.size());
        FUZZ_CHECK(number >= 0 && number <= 1071);
        for (const char byte : lines[i + 1]) FUZZ_CHECK(static_cast<unsigned char>(byte) >= 0x20);
        tags.push_back({number, lines[i + 1]});
    }
    return tags;
}

// What a reader makes of a text value: GBK first, then each \U+XXXX escape.
QString ReadText(std::string_view value) {
    QStringDecoder gbk("GBK", QStringDecoder::Flag::Stateless);
    const QString decoded =
        gbk.decode(QByteArrayView(value.data(), static_cast<qsizetype>(value.size())));
    FUZZ_CHECK(!gbk.hasError());
    QString text;
    for (qsizetype i = 0; i < decoded.size(); ++i) {
        bool escape = decoded.mid(i, 3) == QLatin1String("\\U+") && i + 7 <= decoded.size();
        uint unit = 0;
        if (escape) {
            for (const QChar digit : QStringView(decoded).mid(i + 3, 4)) {
                escape = escape && (digit.isDigit() || (digit >= u'A' && digit <= u'F'));
            }
            unit = decoded.mid(i + 3, 4).toUInt(nullptr, 16);
        }
        if (escape) {
            text += QChar(static_cast<char16_t>(unit));
            i += 6;
        } else {
            text += decoded[i];
        }
    }
    return text;
}

// A drawn text as a one-line DXF text can hold it.
QString AsDrawn(const std::string& utf8) {
    const QString text = QString::fromUtf8(utf8);
    QString drawn;
    for (const char32_t c : text.toUcs4()) {
        if (c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029) {
            drawn += u' ';
        } else if (c > 0xFFFF) {
            drawn += QChar(0xFFFD);
        } else {
            drawn += QChar(static_cast<char16_t>(c));
        }
    }
    return drawn;
}

// Checks the structure and gives the values of the TEXT entities' text tags.
std::vector<std::string_view> TextsOf(const std::vector<Tag>& tags) {
    std::vector<std::string_view> texts;
    bool inSection = false;
    bool inTable = false;
    bool inText = false;
    for (size_t i = 0; i < tags.size(); ++i) {
        const Tag& tag = tags[i];
        if (tag.code == 0) {
            inText = tag.value == "TEXT";
            FUZZ_CHECK(!inText || inSection);
            if (tag.value == "SECTION") {
                FUZZ_CHECK(!inSection);
                FUZZ_CHECK(i + 1 < tags.size() && tags[i + 1].code == 2);
                inSection = true;
            } else if (tag.value == "ENDSEC") {
                FUZZ_CHECK(inSection && !inTable);
                inSection = false;
            } else if (tag.value == "TABLE") {
                FUZZ_CHECK(inSection && !inTable);
                inTable = true;
            } else if (tag.value == "ENDTAB") {
                FUZZ_CHECK(inTable);
                inTable = false;
            } else if (tag.value == "EOF") {
                FUZZ_CHECK(!inSection && i + 1 == tags.size());
            }
        } else if (tag.code == 1 && inText) {
            texts.push_back(tag.value);
        }
    }
    FUZZ_CHECK(!tags.empty() && tags.back().code == 0 && tags.back().value == "EOF");
    return texts;
}

}  // namespace

}  // namespace channel

using namespace channel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    std::array<QString, kRows * kColumns> cells;
    for (QString& cell : cells) {
        // Long enough that escapes can pass the limit of a text value.
        const std::string utf8 = input.ConsumeRandomLengthString(300);
        cell = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    }
    // Shown as typed: a text that is not a number is drawn as it stands.
    const CellTextSource source = [&cells](int row, int column) {
        const QString& text = cells[static_cast<size_t>(row * kColumns + column)];
        return CellTexts{text, text};
    };

    const DxfDrawing drawing = DxfDrawingOf(DescribeElementsTable(DrawingCells(source)));
    const Result<QByteArray, QString> file = DxfFileBytes(drawing);
    FUZZ_CHECK(file.ok());
    const QByteArray& bytes = file.value();
    const std::vector<std::string_view> texts =
        TextsOf(ReadTags(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size()))));

    std::vector<const DxfText*> drawn;
    for (const DxfEntity& entity : drawing.entities) {
        if (const auto* text = std::get_if<DxfText>(&entity)) drawn.push_back(text);
    }
    // Every column but the item column is drawn: its heading, and its value
    // in each computed row (one whose velocity cell is filled), plus the title.
    constexpr int kDrawnColumns = kColumns - elements_table::kFirstValueColumn;
    int computedRows = 0;
    for (int row = elements_table::kFirstSectionRow; row < kRows; ++row)
        computedRows += !cells[row * kColumns + elements_table::kVelocityColumn].isEmpty();
    FUZZ_CHECK(drawn.size() ==
               static_cast<size_t>(kDrawnColumns + 1 + kDrawnColumns * computedRows));
    FUZZ_CHECK(texts.size() == drawn.size());
    for (size_t i = 0; i < texts.size(); ++i) {
        FUZZ_CHECK(static_cast<qsizetype>(texts[i].size()) <= kMaxDxfTextBytes);
        const QString read = ReadText(texts[i]);
        const QString whole = AsDrawn(drawn[i]->utf8Text);
        // Cut only when needed, and then no more than one escape short.
        const bool cut = read != whole;
        FUZZ_CHECK(!cut || (read.endsWith(QChar(kDxfTextCutMark)) &&
                            whole.startsWith(QStringView(read).chopped(1)) &&
                            static_cast<qsizetype>(texts[i].size()) > kMaxDxfTextBytes - 9));
    }
    for (int column = elements_table::kFirstValueColumn; column < kColumns; ++column) {
        FUZZ_CHECK(drawn[column - elements_table::kFirstValueColumn]->utf8Text ==
                   cells[elements_table::kHeadingRow * kColumns + column].toStdString());
    }
    return 0;
}
