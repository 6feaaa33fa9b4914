#include <gtest/gtest.h>

#include "cad/DxfFileWriter.h"
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

TEST(DxfFileBytesTest, DeclaresR12AndTheChineseCodePageAndKeepsTheBigFont) {
    DxfDrawing drawing;
    drawing.textStyle.bigFontFile = "hztxt.shx";
    DxfText text;
    text.utf8Text = "流速";
    drawing.entities.emplace_back(text);

    const QByteArray bytes = DxfFileBytes(drawing).value_or(QByteArray());

    EXPECT_TRUE(bytes.contains("$ACADVER\r\n  1\r\nAC1009\r\n"));
    EXPECT_TRUE(bytes.contains("$DWGCODEPAGE\r\n  3\r\nANSI_936\r\n"));
    EXPECT_TRUE(bytes.contains("  3\r\ntxt\r\n  4\r\nhztxt.shx\r\n"));
    EXPECT_TRUE(bytes.contains("  1\r\n" + QByteArray::fromHex("c1f7cbd9") + "\r\n"));
}

}  // namespace
