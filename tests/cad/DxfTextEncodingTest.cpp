#include <gtest/gtest.h>

#include <QString>

#include "cad/DxfTextEncoding.h"

namespace channel {

namespace {

struct EncodingCase {
    const char* text;
    QByteArray bytes;
};

void PrintTo(const EncodingCase& c, std::ostream* out) {
    *out << '"' << c.text << '"';
}

class EncodeDxfTextTest : public testing::TestWithParam<EncodingCase> {};

TEST_P(EncodeDxfTextTest, WritesGbkAndEscapesWhatGbkLacks) {
    EXPECT_EQ(EncodeDxfText(QString::fromUtf8(GetParam().text)).toHex(' '),
              GetParam().bytes.toHex(' '));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, EncodeDxfTextTest,
    testing::Values(EncodingCase{"底宽", QByteArray::fromHex("b5d7bfed")},
                    EncodingCase{"纵坡1\\I", QByteArray::fromHex("d7ddc6c2315c49")},
                    EncodingCase{"12345.68", "12345.68"}, EncodingCase{"한글", "\\U+D55C\\U+AE00"},
                    // Beyond U+FFFF: one replacement mark, not two halves.
                    EncodingCase{"a😀b", "a\\U+FFFDb"},
                    EncodingCase{"流ə量", QByteArray::fromHex("c1f7") + "\\U+0259" +
                                              QByteArray::fromHex("c1bf")},
                    // Line breaks and control characters would break the
                    // file's lines; they become spaces.
                    EncodingCase{"底宽\n水深", QByteArray::fromHex("b5d7bfed20cbaec9ee")},
                    EncodingCase{"a\r\nb\tc\x1b\x7f", "a  b c  "},
                    EncodingCase{"1\u2028"
                                 "2\u2029"
                                 "3\u0085"
                                 "4",
                                 "1 2 3 4"},
                    // A typed escape stays text.
                    EncodingCase{"\\U+0041", "\\U+005CU+0041"},
                    EncodingCase{"x\\m+1", "x\\U+005Cm+1"}, EncodingCase{"\\U", "\\U"},
                    // Written as escapes: readers of code page 936 differ on these.
                    EncodingCase{"€", "\\U+20AC"}, EncodingCase{"\uE000", "\\U+E000"},
                    EncodingCase{"50%%p2 %", "50\\U+0025%p2 %"}, EncodingCase{"5%", "5%"}));

// Texts that no UTF-8 string can carry.
TEST(EncodeDxfTextTest, WritesUnpairedSurrogatesAndNulAsMarksAndSpaces) {
    const char16_t units[] = {u'a', 0xD83D, u'b', 0xDE00, 0, u'c'};
    EXPECT_EQ(EncodeDxfText(QStringView(units, 6)), "a\\U+FFFDb\\U+FFFD c");
}

}  // namespace

}  // namespace channel
