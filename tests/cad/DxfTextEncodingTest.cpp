#include <gtest/gtest.h>

#include <QString>

#include "cad/DxfTextEncoding.h"

namespace {

struct EncodingCase {
    const char* text;
    QByteArray bytes;
};

void PrintTo(const EncodingCase& c, std::ostream* out) { *out << '"' << c.text << '"'; }

class EncodeDxfTextTest : public testing::TestWithParam<EncodingCase> {};

TEST_P(EncodeDxfTextTest, WritesGbkAndEscapesWhatGbkLacks) {
    EXPECT_EQ(EncodeDxfText(QString::fromUtf8(GetParam().text)).toHex(' '),
              GetParam().bytes.toHex(' '));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, EncodeDxfTextTest,
    testing::Values(EncodingCase{"底宽", QByteArray::fromHex("b5d7bfed")},
                    EncodingCase{"纵坡1\\I", QByteArray::fromHex("d7ddc6c2315c49")},
                    EncodingCase{"12345.68", "12345.68"},
                    EncodingCase{"한글", "\\U+D55C\\U+AE00"},
                    EncodingCase{"a😀b", "a\\U+D83D\\U+DE00b"},
                    EncodingCase{"流ə量", QByteArray::fromHex("c1f7") + "\\U+0259" +
                                                      QByteArray::fromHex("c1bf")}));

}  // namespace
