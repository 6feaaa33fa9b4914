#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include "app/core/InstructionsText.h"
#include "app/core/ShellTexts.h"

namespace channel {

namespace {

const QChar kReplacement(0xFFFD);

QByteArray Gbk(const QString& text) {
    QStringEncoder encoder("GBK");
    return encoder.encode(text);
}

QString CutNotice() {
    return shell_text::kInstructionsCut.arg(1);
}

struct DecodingCase {
    const char* name;
    QByteArray bytes;
    bool cut;
    QString text;
};

void PrintTo(const DecodingCase& c, std::ostream* out) {
    *out << c.name;
}

class DecodeInstructionsTest : public testing::TestWithParam<DecodingCase> {};

TEST_P(DecodeInstructionsTest, ShowsWhatDecodesAndNothingElse) {
    EXPECT_EQ(DecodeInstructionsBytes(GetParam().bytes, GetParam().cut), GetParam().text);
}

const QString kChinese = QStringLiteral("梯形渠道：糙率 n");

INSTANTIATE_TEST_SUITE_P(
    Bytes, DecodeInstructionsTest,
    testing::Values(
        DecodingCase{"Utf8", kChinese.toUtf8(), false, kChinese},
        DecodingCase{"Gbk", Gbk(kChinese), false, kChinese}, DecodingCase{"Empty", "", false, ""},
        DecodingCase{"Utf8ByteOrderMarkDropped", "\xEF\xBB\xBF" + kChinese.toUtf8(), false,
                     kChinese},
        DecodingCase{"OnlyAByteOrderMark", "\xEF\xBB\xBF", false, ""},
        DecodingCase{"Utf8WithMarkKeepsItsErrorsMarked", "\xEF\xBB\xBF\xE6\xB8\xA0\xFF", false,
                     QStringLiteral("渠") + kReplacement},
        DecodingCase{
            "Utf16LittleEndianByMark",
            QByteArray("\xFF\xFE", 2) +
                QByteArray(reinterpret_cast<const char*>(kChinese.utf16()), kChinese.size() * 2),
            false, kChinese},
        // A GBK file ending in a lone lead byte: the byte is marked at the
        // real end of the file, and dropped where the read cut the file.
        DecodingCase{"GbkLoneLeadByteAtTheEnd", Gbk(kChinese) + "\xB5", false,
                     kChinese + kReplacement},
        DecodingCase{"GbkLeadByteCutByTheCap", Gbk(kChinese) + "\xB5", true, kChinese},
        // A UTF-8 character split by the cap: still UTF-8, not GBK.
        DecodingCase{"Utf8CharacterCutByTheCap", kChinese.toUtf8() + "\xE6\xB8", true, kChinese},
        DecodingCase{"Utf8CharacterCutAtTheRealEnd", kChinese.toUtf8() + "\xE6\xB8", false,
                     kChinese + kReplacement},
        // Code page 936 maps 0xFF to a private-use character; it is no
        // character of any text.
        DecodingCase{"GbkWithAnFFByte", Gbk(QStringLiteral("底宽")) + "\xFF" + Gbk("b"), false,
                     QStringLiteral("底宽") + kReplacement + "b"},
        DecodingCase{"GbkLeadWithoutTrail", Gbk(QStringLiteral("水")) + "\x81 x", false,
                     QStringLiteral("水") + kReplacement + " x"},
        // Latin-1 is neither; what decodes is shown.
        DecodingCase{"Latin1", "caf\xE9 ok", false, QStringLiteral("caf") + kReplacement + " ok"},
        DecodingCase{"MostlyUtf8", QStringLiteral("流量流速").toUtf8() + "\xC0\xAF", false,
                     QStringLiteral("流量流速") + kReplacement + kReplacement},
        DecodingCase{
            "ControlCharacters", QByteArray("a\0b\x1B\x7F\tc\r\nd", 10), false,
            QStringLiteral("a") + kReplacement + "b" + kReplacement + kReplacement + "\tc\r\nd"},
        DecodingCase{"Utf8C1Control", "x\xC2\x85y", false,
                     QStringLiteral("x") + kReplacement + "y"},
        DecodingCase{"EncodedSurrogateIsNoCharacter",
                     QStringLiteral("底宽水深").toUtf8() + "\xED\xA0\x80z", false,
                     QStringLiteral("底宽水深") + kReplacement + kReplacement + kReplacement + "z"},
        // Bytes that are valid GBK are GBK, whatever else they might be.
        DecodingCase{"ValidGbkIsGbk", "\xED\xA0\x80", false, QStringLiteral("頎€")},
        DecodingCase{"CharacterOutsideTheBmp", "\xF0\x9F\x98\x80", false,
                     QString::fromUtf8("\xF0\x9F\x98\x80")}),
    [](const testing::TestParamInfo<DecodingCase>& info) { return info.param.name; });

// Over-long lines are broken; short lines, line ends, surrogate pairs and
// every character stay.
TEST(BreakLongLinesTest, BreaksOnlyOverLongLinesAndKeepsEveryCharacter) {
    for (const auto& [text, broken] :
         {std::pair{QStringLiteral("abcd\nefgh\r\nij"), QStringLiteral("abcd\nefgh\r\nij")},
          {QStringLiteral("abc\nabcdefghij"), QStringLiteral("abc\nabcd\nefgh\nij")},
          {QStringLiteral("abc😀de"), QStringLiteral("abc😀\nde")}})
        EXPECT_EQ(BreakLongLines(text, 4), broken);
    const QString broken = BreakLongLines(QString(qsizetype{1} << 20, u'说'), 1000);
    EXPECT_EQ(broken.size(), (qsizetype{1} << 20) + 1048);
    EXPECT_EQ(broken.indexOf(u'\n'), 1000);
}

class InstructionsFileTest : public testing::Test {
  protected:
    QString Write(const QByteArray& bytes, qint64 sizeAfter = -1) {
        QString path = dir.filePath(QStringLiteral("说明.txt"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        if (sizeAfter >= 0) {
            EXPECT_TRUE(file.resize(sizeAfter));
        }
        return path;
    }
    QTemporaryDir dir;
};

TEST_F(InstructionsFileTest, MissingEmptyOrNotAFileGivesAnEmptyBox) {
    EXPECT_EQ(LoadInstructionsText(dir.filePath("missing.txt")), "");
    EXPECT_EQ(LoadInstructionsText(Write("")), "");
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.txt"));
    EXPECT_EQ(LoadInstructionsText(dir.filePath("folder.txt")), "");
}

TEST_F(InstructionsFileTest, AFileOfExactlyTheCapIsShownWhole) {
    const QByteArray bytes(kMaxInstructionsBytes, 'a');
    EXPECT_EQ(LoadInstructionsText(Write(bytes)).remove(u'\n'), QString::fromLatin1(bytes));
}

TEST_F(InstructionsFileTest, OneByteMoreIsCutWithANotice) {
    const QByteArray bytes = QByteArray(kMaxInstructionsBytes, 'a') + "b";
    EXPECT_EQ(LoadInstructionsText(Write(bytes)).remove(u'\n'),
              QString(kMaxInstructionsBytes, QChar('a')) + QString(CutNotice()).remove(u'\n'));
}

// A 2 GB file (sparse, so it costs no disk) is read only up to the cap: the
// text is the cap's worth of characters and the notice.
TEST_F(InstructionsFileTest, AHugeFileIsReadOnlyUpToTheCap) {
    const QByteArray start = QStringLiteral("说明\n").toUtf8();
    const QString path = Write(start, qint64(2) * 1024 * 1024 * 1024);
    ASSERT_EQ(QFileInfo(path).size(), qint64(2) * 1024 * 1024 * 1024);
    const QString text = LoadInstructionsText(path);
    const qsizetype breaks =
        (kMaxInstructionsBytes - start.size()) / kMaxInstructionsLineCharacters;
    EXPECT_EQ(text.size(),
              3 + (kMaxInstructionsBytes - start.size()) + breaks + CutNotice().size());
    EXPECT_TRUE(text.startsWith(QStringLiteral("说明\n")));
    EXPECT_TRUE(text.endsWith(CutNotice()));
}

// Chinese UTF-8 text whose cap falls inside a character: the cut character is
// dropped and the rest still reads as UTF-8, not as GBK garbage.
TEST_F(InstructionsFileTest, TheCapInsideAUtf8CharacterKeepsTheTextUtf8) {
    const QString line = QStringLiteral("渠道水力计算\n");  // 19 bytes
    const qsizetype wholeLines = kMaxInstructionsBytes / 19;
    ASSERT_EQ(kMaxInstructionsBytes % 19, 4);  // the cap splits the line's second character
    const QString text = line.repeated(wholeLines + 1);
    EXPECT_EQ(LoadInstructionsText(Write(text.toUtf8())),
              line.repeated(wholeLines) + QStringLiteral("渠") + CutNotice());
}

TEST_F(InstructionsFileTest, TheCapInsideAGbkCharacterDropsIt) {
    const QByteArray bytes =
        QByteArray(kMaxInstructionsBytes - 1, 'a') + Gbk(QStringLiteral("底宽"));
    EXPECT_EQ(LoadInstructionsText(Write(bytes)).remove(u'\n'),
              QString(kMaxInstructionsBytes - 1, QChar('a')) + QString(CutNotice()).remove(u'\n'));
}

}  // namespace

}  // namespace channel
