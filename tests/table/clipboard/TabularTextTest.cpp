#include "table/clipboard/TabularText.h"

#include <gtest/gtest.h>

#include "QStringPrinting.h"

namespace {

using Rows = QList<QStringList>;

struct ParseCase {
    const char* name;
    QString text;
    Rows rows;
};

class ParseTabularTextTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseTabularTextTest, ReadsCellsAsSpreadsheetsWriteThem) {
    EXPECT_EQ(ParseTabularText(GetParam().text), GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseTabularTextTest,
    testing::Values(
        ParseCase{"UnixLineEnds", "1\t2\n3\t4", {{"1", "2"}, {"3", "4"}}},
        ParseCase{"WindowsLineEndsAndTrailingLineEnd", "1\t2\r\n3\t4\r\n", {{"1", "2"}, {"3", "4"}}},
        ParseCase{"OldMacLineEnds", "1\r2\r", {{"1"}, {"2"}}},
        ParseCase{"DoubledQuoteInsideQuotes", "\"a\"\"b\"\tc", {{"a\"b", "c"}}},
        ParseCase{"TabInsideQuotes", "\"x\ty\"\tz\n", {{"x\ty", "z"}}},
        ParseCase{"LineEndInsideQuotesStaysInCell", "\"l1\r\nl2\"\tq\r\nr\r\n",
                  {{"l1\r\nl2", "q"}, {"r"}}},
        ParseCase{"EmptyQuotedCell", "\"\"\tb", {{"", "b"}}},
        ParseCase{"EmptyCellsBetweenAndAfterTabs", "a\t\tb\t", {{"a", "", "b", ""}}},
        ParseCase{"OnlyOneTrailingLineEndIsDropped", "a\n\n", {{"a"}, {""}}},
        ParseCase{"SingleLineEndIsOneEmptyCell", "\n", {{""}}},
        ParseCase{"EmptyTextHasNoRows", "", {}},
        ParseCase{"RaggedRowsKeepTheirLength", "a\tb\tc\nd", {{"a", "b", "c"}, {"d"}}},
        ParseCase{"QuoteInsideCellIsLiteral", "5\"\t1\"2", {{"5\"", "1\"2"}}},
        ParseCase{"UnterminatedQuoteIsLiteral", "\"abc\tx", {{"\"abc", "x"}}},
        ParseCase{"TextAfterClosingQuoteMakesCellLiteral", "\"a\" b\tc", {{"\"a\" b", "c"}}},
        ParseCase{"ChineseText", "底宽\t边坡\n", {{"底宽", "边坡"}}}),
    [](const testing::TestParamInfo<ParseCase>& info) { return std::string(info.param.name); });

TEST(ToTabularTextTest, QuotesOnlyCellsWithTabLineEndOrQuote) {
    EXPECT_EQ(ToTabularText({{"1.5", "a b"}, {"", "x"}}), "1.5\ta b\n\tx\n");
    EXPECT_EQ(ToTabularText({{"a\"b"}}), "\"a\"\"b\"\n");
    EXPECT_EQ(ToTabularText({{"x\ty", "l1\nl2", "c\r"}}), "\"x\ty\"\t\"l1\nl2\"\t\"c\r\"\n");
    EXPECT_EQ(ToTabularText({}), "");
}

TEST(ToTabularTextTest, ParsingWhatWasWrittenGivesTheSameCells) {
    const Rows rows = {{"", "\"", "\"\""},
                       {"a\tb", "\"quoted\" word", "line\nbreak"},
                       {"3.14159274", "纵坡1\\I", " "},
                       {""}};
    EXPECT_EQ(ParseTabularText(ToTabularText(rows)), rows);
}

}  // namespace
