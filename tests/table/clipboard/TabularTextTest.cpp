#include <gtest/gtest.h>

#include "table/clipboard/TabularText.h"

namespace channel {

using Rows = QList<QStringList>;

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace {

TEST(TabularTextTest, ParsesWhatSpreadsheetsPutOnTheClipboard) {
    const std::vector<std::pair<QString, Rows>> cases = {
        {"1\t2\n3\t4", {{"1", "2"}, {"3", "4"}}},
        {"1\t2\r\n3\t4\r\n", {{"1", "2"}, {"3", "4"}}},
        {"\"a\"\"b\"\t\"x\ty\"\t\"\"", {{"a\"b", "x\ty", ""}}},
        {"\"l1\r\nl2\"\tq\r\nr\r\n", {{"l1\r\nl2", "q"}, {"r"}}},
        {"a\t\tb\t", {{"a", "", "b", ""}}},
        {"a\n\n", {{"a"}, {""}}},  // only one trailing line end is dropped
        {"\n", {{""}}},
        {"", {}},
        {"a\tb\tc\nd", {{"a", "b", "c"}, {"d"}}},
        // Quotes that do not make a well-formed quoted cell are text.
        {"5\"\t\"abc\t\"a\" b", {{"5\"", "\"abc", "\"a\" b"}}},
    };
    for (const auto& [text, rows] : cases)
        EXPECT_EQ(ParseTabularText(text), rows) << text.toStdString();
}

TEST(TabularTextTest, QuotesOnlyCellsWithTabLineEndOrQuoteAndReadsThemBack) {
    EXPECT_EQ(ToTabularText({{"1.5", "a b"}, {"", "x"}}), "1.5\ta b\n\tx\n");
    EXPECT_EQ(ToTabularText({{"a\"b", "x\ty", "l1\nl2"}}), "\"a\"\"b\"\t\"x\ty\"\t\"l1\nl2\"\n");
    const Rows rows = {
        {"", "\"", "a\tb", "\"q\" w", "l\r\nb"}, {"3.14159274", "纵坡1\\I", " "}, {""}};
    EXPECT_EQ(ParseTabularText(ToTabularText(rows)), rows);
}

}  // namespace

}  // namespace channel
