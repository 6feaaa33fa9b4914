#include <gtest/gtest.h>

#include <QStringDecoder>
#include <QTemporaryDir>

#include "TestSupport.h"
#include "files/ElementFile.h"
#include "table/ElementsLayout.h"

namespace channel {

using namespace files_test;

namespace {

struct AwkwardText {
    const char* name;
    QString text;
};

QString Utf16(std::initializer_list<char16_t> units) {
    QString text;
    for (const char16_t unit : units) text.append(QChar(unit));
    return text;
}

QString AllControlCharacters() {
    QString text;
    for (char16_t unit = 0; unit < 0x20; ++unit) text.append(QChar(unit));
    return text + QChar(0x7f);
}

std::vector<AwkwardText> AwkwardTexts() {
    return {
        {"Empty", ""},
        {"OneBlank", " "},
        {"OnlyBlanks", "   "},
        {"LeadingAndTrailingBlanks", "  2.5  "},
        {"Tab", "\t"},
        {"TabsBetween", "a\tb\t"},
        {"LineFeed", "first\nsecond\n"},
        {"CarriageReturnLineFeed", "first\r\nsecond"},
        {"LoneCarriageReturn", "\r"},
        {"RowMarker", "3  >>>"},
        {"DoubledRowMarker", "3  >>>  >>>"},
        {"MarkerAlone", "  >>>"},
        {"SlopeHeading", "纵坡1\\I"},
        {"QuotesAndBackslashes", "\"\\\"\\\\\" \\n \\u0041"},
        {"LooksLikeAnElementFile", R"({"format":"hydraulic-elements-table","version":1})"},
        {"JsonPunctuation", "],[\"\",{}:"},
        {"Chinese", "梯形渠道 水力计算：底宽"},
        {"EmojiOutsideTheBasicPlane", "渠 😀🌊 𠀀"},
        {"CombiningMarks", "e\u0301 a\u0308\u0323"},
        {"RightToLeft", "מים ماء"},
        {"ZeroWidthAndBom", Utf16({0x200d, 0xfeff, 0x200b})},
        {"LineAndParagraphSeparators", Utf16({0x2028, 0x2029})},
        {"Nul", Utf16({'a', 0, 'b'})},
        {"EveryControlCharacter", AllControlCharacters()},
        {"Noncharacters", Utf16({0xfffe, 0xffff, 0xfdd0})},
        {"LoneSurrogates", Utf16({0xd800, 'x', 0xdfff, 0xdc00, 0xd83d})},
        {"LongText", QString(10000, QChar(0x6c34))},
    };
}

class RoundTrip : public testing::TestWithParam<AwkwardText> {
  protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    QTemporaryDir dir_;
};

// The text in every cell, headings and item column included, next to tagged
// cells so a shifted or merged cell shows.
TEST_P(RoundTrip, EveryCellComesBackExactly) {
    QStringList cells = TaggedCells("x");
    for (int index = 0; index < cells.size(); index += 2) cells[index] = GetParam().text;
    ElementsTable saved(kRows, kColumns, kFixedRows, kFixedColumns);
    Fill(saved, cells);
    const QString path = dir_.filePath("table.efs");
    ASSERT_TRUE(SaveToFile(saved, path).ok());

    ElementsTable loaded(kRows, kColumns, kFixedRows, kFixedColumns);
    Fill(loaded, TaggedCells("before"));
    const Outcome<QString> result = LoadFromFile(loaded, path);
    ASSERT_TRUE(result.ok()) << result.reason().toStdString();
    EXPECT_EQ(loaded.Cells(), cells);
    EXPECT_EQ(loaded.RowCount(), kRows);
    EXPECT_EQ(loaded.ColumnCount(), kColumns);
}

INSTANTIATE_TEST_SUITE_P(AwkwardTexts, RoundTrip, testing::ValuesIn(AwkwardTexts()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ElementFileText, IsReadableUtf8ThatNamesItsFormatAndVersion) {
    QTemporaryDir dir;
    ElementsTable table(kRows, kColumns, kFixedRows, kFixedColumns);
    Fill(table, StartupCells());
    table.SetCellText(3, elements_table::kItemColumn, "3  >>>");
    table.SetCellText(3, elements_table::kBottomWidthColumn, "a\tb\nc");
    const QString path = dir.filePath("table.efs");
    ASSERT_TRUE(SaveToFile(table, path).ok());

    const QByteArray bytes = ReadBytes(path);
    QStringDecoder strict(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = strict.decode(bytes);
    EXPECT_FALSE(strict.hasError());
    EXPECT_TRUE(text.contains(R"("format": "hydraulic-elements-table")"));
    EXPECT_TRUE(text.contains(R"("version": 1)"));
    // Chinese stays readable instead of \u escapes; one line per table row.
    EXPECT_TRUE(text.contains(R"(["项目","底宽","边坡")"));
    EXPECT_TRUE(text.contains(R"(["3  >>>","a\tb\nc",)"));
    EXPECT_EQ(text.count('\n'), 8 + kRows);
}

}  // namespace

}  // namespace channel
