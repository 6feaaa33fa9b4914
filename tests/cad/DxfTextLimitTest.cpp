#include <dxflib/dl_creationadapter.h>
#include <dxflib/dl_dxf.h>
#include <gtest/gtest.h>

#include <QStringDecoder>
#include <algorithm>
#include <sstream>

#include "TestTable.h"
#include "cad/DxfFileWriter.h"
#include "cad/DxfRendering.h"
#include "cad/DxfTextEncoding.h"
#include "cad/TableDrawing.h"

namespace channel {

namespace {

using namespace elements_table;

// What dxflib, the reader other programs use, makes of the file's texts.
class TextReader : public DL_CreationAdapter {
  public:
    void addText(const DL_TextData& data) override {
        QStringDecoder gbk("GBK");
        texts.push_back(gbk.decode(QByteArrayView(data.text.data(), qsizetype(data.text.size()))));
    }
    std::vector<QString> texts;
};

// 1 100 characters pasted into 底宽 of a computed row, then drawn: every
// text of the table is read back, the long one cut with its mark.
TEST(DxfTextLimitTest, DxflibReadsEveryTextAfterAnOverLongOne) {
    TestTable table;
    table.FillRow(
        1, {"2", "1.5", "1.2", "0.014", "0.0005", "4.56", "6.3", "0.72", "67.9", "2.84", "1.03"});
    const QString pasted = QString(1100, u'宽');
    table.Set(1, kBottomWidthColumn, pasted);
    const DxfDrawing drawing = DxfDrawingOf(DescribeElementsTable(DrawingCells(table.Source())));
    const Result<QByteArray, QString> file = DxfFileBytes(drawing);
    ASSERT_TRUE(file.ok());

    std::istringstream stream(file.value().toStdString());
    TextReader reader;
    DL_Dxf().in(stream, &reader);
    const auto drawn = std::count_if(drawing.entities.begin(), drawing.entities.end(),
                                     [](auto& e) { return std::holds_alternative<DxfText>(e); });
    ASSERT_EQ(reader.texts.size(), size_t(drawn));
    const auto cut = std::find_if(reader.texts.begin(), reader.texts.end(),
                                  [](const QString& text) { return text.startsWith(u'宽'); });
    ASSERT_NE(cut, reader.texts.end());
    EXPECT_EQ(*cut, QString((kMaxDxfTextBytes - 2) / 2, u'宽') + u'…');
    EXPECT_NE(std::find(reader.texts.begin(), reader.texts.end(), "1.03"), reader.texts.end());
}

// The cut falls between whole characters and whole escapes, and the mark
// fits within the limit.
TEST(DxfTextLimitTest, CutsBetweenWholeCharactersAndEscapes) {
    const QByteArray mark = QByteArray::fromHex("a1ad");
    const struct {
        QString text;
        QByteArray bytes;
    } cases[] = {
        {QString(255, u'a'), QByteArray(255, 'a')},
        {QString(256, u'a'), QByteArray(253, 'a') + mark},
        {QString(128, u'宽'), QByteArray::fromHex("bfed").repeated(126) + mark},
        {u'a' + QString(40, u'한'), "a" + QByteArray("\\U+D55C").repeated(36) + mark},
    };
    for (const auto& c : cases) {
        const QByteArray bytes = EncodeDxfText(c.text, kMaxDxfTextBytes);
        EXPECT_EQ(bytes, c.bytes);
    }
}

// An unpaired surrogate kept in a file's cell is drawn as U+FFFD, as the
// encoder promises, not as the '?' of a plain UTF-8 conversion.
TEST(DxfTextLimitTest, AnUnpairedSurrogateIsDrawnAsTheReplacementMark) {
    TestTable table;
    table.Set(1, kBottomWidthColumn, QString(QChar(0xD800)) + u'x');
    EXPECT_EQ(DrawingCells(table.Source())(1, kBottomWidthColumn).utf8Shown, "\xEF\xBF\xBDx");
}

}  // namespace

}  // namespace channel
