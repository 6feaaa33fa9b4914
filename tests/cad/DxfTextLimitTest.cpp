#include <dxflib/dl_creationadapter.h>
#include <dxflib/dl_dxf.h>
#include <gtest/gtest.h>

#include <QFile>
#include <QStringDecoder>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>

#include "TestTable.h"
#include "cad/DxfFileWriter.h"
#include "cad/DxfRendering.h"
#include "cad/TableDrawing.h"

namespace channel {

namespace {

using namespace elements_table;

// What dxflib, the reader other programs use, makes of a file's texts.
struct TextReader : DL_CreationAdapter {
    void addText(const DL_TextData& data) override {
        texts.append(QStringDecoder("GBK").decode(QByteArray::fromStdString(data.text)));
    }
    QStringList texts;
};

// 1 100 characters pasted into 底宽 of a computed row: dxflib reads every
// text of the drawing, the long one cut to the limit with its mark.
TEST(DxfTextLimitTest, DxflibReadsEveryTextAfterAnOverLongOne) {
    TestTable table;
    table.FillRow(1, {"2", "1.5", "1.2", "0.014", "0.0005", "4.6", "6.3", "0.7", "68", "2.8", "1"});
    table.Set(1, kBottomWidthColumn, QString(1100, u'9'));
    const DxfDrawing drawing = DxfDrawingOf(DescribeElementsTable(DrawingCells(table.Source())));
    const Result<QByteArray, QString> file = DxfFileBytes(drawing);
    ASSERT_TRUE(file.ok());
    // From a file, as CAD programs read it (dxflib's stream reader stalls
    // on an over-long line instead).
    QTemporaryDir dir;
    QFile dxf(dir.filePath("table.dxf"));
    ASSERT_TRUE(dxf.open(QIODevice::WriteOnly) && dxf.write(file.value()) && dxf.flush());
    TextReader reader;
    ASSERT_TRUE(DL_Dxf().in(QFile::encodeName(dxf.fileName()).toStdString(), &reader));
    const auto isText = [](const DxfEntity& e) { return std::holds_alternative<DxfText>(e); };
    EXPECT_EQ(reader.texts.size(),
              std::count_if(drawing.entities.begin(), drawing.entities.end(), isText));
    EXPECT_TRUE(reader.texts.contains(QString(253, u'9') + u'…'));  // 255 bytes
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
