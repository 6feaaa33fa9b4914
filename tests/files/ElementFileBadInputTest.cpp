#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <functional>
#include <random>

#include "TestSupport.h"
#include "files/ElementFile.h"
#include "files/ElementFileFormat.h"
#include "files/MessageExcerpt.h"

namespace channel {

using namespace files_test;

namespace {

// A valid file whose cell (0, 1) is the placeholder MARK, so byte-level
// damage can be put inside a string.
QStringList ValidCells() {
    QStringList cells = TaggedCells("良好");
    cells[1] = "MARK";
    return cells;
}

QByteArray ValidBytes() {
    return element_file::Encode(kRows, kColumns, ValidCells());
}

QByteArray WithMark(const QByteArray& replacement) {
    return ValidBytes().replace("MARK", replacement);
}

QByteArray Changed(const std::function<void(QJsonObject&)>& change) {
    QJsonObject root = QJsonDocument::fromJson(ValidBytes()).object();
    change(root);
    return QJsonDocument(root).toJson();
}

QByteArray WithRows(const std::function<void(QJsonArray&)>& change) {
    return Changed([&](QJsonObject& root) {
        QJsonArray rows = root["cells"].toArray();
        change(rows);
        root["cells"] = rows;
    });
}

QByteArray WithRow(int index, const std::function<void(QJsonArray&)>& change) {
    return WithRows([&](QJsonArray& rows) {
        QJsonArray row = rows[index].toArray();
        change(row);
        rows[index] = row;
    });
}

QByteArray WithCell(const QJsonValue& value) {
    return WithRow(5, [&](QJsonArray& row) { row[7] = value; });
}

// Row 4's section design replaced by `value`, the other rows' empty.
QByteArray WithDesign(const QJsonValue& value) {
    return Changed([&](QJsonObject& root) {
        QJsonArray designs;
        for (int row = 0; row < kRows; ++row) designs.append(row == 4 ? value : QJsonObject());
        root["sectionDesigns"] = designs;
    });
}

QByteArray RandomBytes(unsigned seed, int size) {
    std::mt19937 generator(seed);
    QByteArray bytes(size, '\0');
    for (char& byte : bytes) byte = static_cast<char>(generator() & 0xff);
    return bytes;
}

struct BadFile {
    std::string name;
    QByteArray bytes;
};

std::vector<BadFile> BadFiles() {
    const QByteArray valid = ValidBytes();
    QByteArray utf16 = "\xff\xfe";
    for (const QChar unit : QString::fromUtf8(valid))
        utf16 += QByteArray(reinterpret_cast<const char*>(&unit), 2);
    std::vector<BadFile> files = {
        {"Empty", ""},
        {"OnlyWhitespace", " \n\t\r\n "},
        {"JsonNull", "null"},
        {"JsonNumber", "11"},
        {"JsonString", "\"hydraulic-elements-table\""},
        {"JsonArrayOfRows",
         QJsonDocument(QJsonDocument::fromJson(valid).object()["cells"].toArray()).toJson()},
        {"EmptyObject", "{}"},
        {"FormatMissing", Changed([](QJsonObject& r) { r.remove("format"); })},
        {"FormatOther", Changed([](QJsonObject& r) { r["format"] = "spreadsheet"; })},
        {"FormatInOtherCase",
         Changed([](QJsonObject& r) { r["format"] = "HYDRAULIC-ELEMENTS-TABLE"; })},
        {"FormatNumber", Changed([](QJsonObject& r) { r["format"] = 1; })},
        {"VersionMissing", Changed([](QJsonObject& r) { r.remove("version"); })},
        {"VersionNewer", Changed([](QJsonObject& r) { r["version"] = 2; })},
        {"VersionZero", Changed([](QJsonObject& r) { r["version"] = 0; })},
        {"VersionText", Changed([](QJsonObject& r) { r["version"] = "1"; })},
        {"VersionFraction", Changed([](QJsonObject& r) { r["version"] = 1.5; })},
        {"VersionNull", Changed([](QJsonObject& r) { r["version"] = QJsonValue(); })},
        {"RowsMissing", Changed([](QJsonObject& r) { r.remove("rows"); })},
        {"RowsTen", Changed([](QJsonObject& r) { r["rows"] = 10; })},
        {"RowsTwelve", Changed([](QJsonObject& r) { r["rows"] = 12; })},
        {"RowsZero", Changed([](QJsonObject& r) { r["rows"] = 0; })},
        {"RowsNegative", Changed([](QJsonObject& r) { r["rows"] = -11; })},
        {"RowsText", Changed([](QJsonObject& r) { r["rows"] = "11"; })},
        {"RowsFraction", Changed([](QJsonObject& r) { r["rows"] = 11.5; })},
        {"RowsHuge", Changed([](QJsonObject& r) { r["rows"] = 1e300; })},
        {"RowsBoolean", Changed([](QJsonObject& r) { r["rows"] = true; })},
        {"ColumnsMissing", Changed([](QJsonObject& r) { r.remove("columns"); })},
        {"ColumnsEleven", Changed([](QJsonObject& r) { r["columns"] = 11; })},
        {"ColumnsThirteen", Changed([](QJsonObject& r) { r["columns"] = 13; })},
        {"ShapeTransposed", Changed([](QJsonObject& r) {
             r["rows"] = 12;
             r["columns"] = 11;
         })},
        {"CellsMissing", Changed([](QJsonObject& r) { r.remove("cells"); })},
        {"CellsObject", Changed([](QJsonObject& r) { r["cells"] = QJsonObject(); })},
        {"CellsText", Changed([](QJsonObject& r) { r["cells"] = "项目"; })},
        {"CellsNull", Changed([](QJsonObject& r) { r["cells"] = QJsonValue(); })},
        {"CellsFlatList",
         Changed([](QJsonObject& r) { r["cells"] = QJsonArray::fromStringList(ValidCells()); })},
        {"OneRowTooFew", WithRows([](QJsonArray& rows) { rows.removeLast(); })},
        {"OneRowTooMany", WithRows([](QJsonArray& rows) { rows.append(rows.last()); })},
        {"RowOneCellShort", WithRow(3, [](QJsonArray& row) { row.removeLast(); })},
        {"RowOneCellLong", WithRow(3, [](QJsonArray& row) { row.append("extra"); })},
        {"RowEmpty", WithRow(10, [](QJsonArray& row) { row = QJsonArray(); })},
        {"RowAsText", WithRows([](QJsonArray& rows) { rows[4] = "1,2,3"; })},
        {"RowAsObject", WithRows([](QJsonArray& rows) { rows[4] = QJsonObject(); })},
        {"CellNumber", WithCell(1.5)},
        {"CellNull", WithCell(QJsonValue())},
        {"CellBoolean", WithCell(false)},
        {"CellObject", WithCell(QJsonObject{{"text", "1"}})},
        {"CellArray", WithCell(QJsonArray{"1"})},
        // Unknown keys are kept (SectionDesignFileTest); known ones must hold
        // what they name.
        {"SectionDesignsObject",
         Changed([](QJsonObject& r) { r["sectionDesigns"] = QJsonObject(); })},
        {"SectionDesignsOneShort",
         Changed([](QJsonObject& r) { r["sectionDesigns"] = QJsonArray{QJsonObject()}; })},
        {"SectionDesignText", WithDesign("p")},
        {"SectionDesignPercentText", WithDesign(QJsonObject{{"increasePercent", "25"}})},
        {"SectionDesignGradeFraction", WithDesign(QJsonObject{{"grade", 4.5}})},
        {"SectionDesignStepNull", WithDesign(QJsonObject{{"widthStep", QJsonValue()}})},
        {"DesignDischargesText", Changed([](QJsonObject& r) { r["designDischarges"] = "2"; })},
        {"DesignDischargesOneShort", Changed([](QJsonObject& r) {
             r["designDischarges"] = QJsonArray::fromStringList(QStringList(kRows - 1));
         })},
        {"DesignDischargesOneLong", Changed([](QJsonObject& r) {
             r["designDischarges"] = QJsonArray::fromStringList(QStringList(kRows + 1));
         })},
        {"DesignDischargeNumber", Changed([](QJsonObject& r) {
             QJsonArray designs = QJsonArray::fromStringList(QStringList(kRows));
             designs[3] = 2.0;
             r["designDischarges"] = designs;
         })},
        {"GarbageAfterTheObject", valid + "x"},
        {"TwoDocuments", valid + valid},
        {"InvalidUtf8Byte", WithMark("\xff")},
        {"OverlongUtf8", WithMark("\xc0\xaf")},
        {"Utf8EncodedSurrogate", WithMark("\xed\xa0\x80")},
        {"Utf8SequenceCutShort", WithMark("\xe4\xb8")},
        {"Latin1Text", WithMark("caf\xe9")},
        {"Utf16WithByteOrderMark", utf16},
        {"RawNulInAString", WithMark(QByteArray("a\0b", 3))},
        {"RawControlByteInAString", WithMark("\x01")},
        {"InvalidEscape", WithMark("\\x41")},
        {"UnfinishedUnicodeEscape", WithMark("\\u12")},
        {"NotANumberLiteral", ValidBytes().replace("\"version\": 1", "\"version\": NaN")},
        {"SingleQuotes", QByteArray(valid).replace('"', '\'')},
        {"UnquotedKeys", QByteArray(valid).replace("\"rows\"", "rows")},
        {"MissingCommaBetweenRows", QByteArray(valid).replace("],\n", "]\n")},
        {"LeadingComment", "// element file\n" + valid},
        {"DeepNesting", QByteArray(100000, '[')},
        {"CsvText", "项目,底宽,边坡\n1,2,3\n"},
        {"XmlText", "<?xml version=\"1.0\"?><table rows=\"11\"/>"},
        {"PngHeader", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)},
        {"GzipHeader", QByteArray("\x1f\x8b\x08\0\0\0\0\0\0\x03", 10) + RandomBytes(7, 200)},
    };
    for (unsigned seed = 1; seed <= 5; ++seed)
        files.push_back({"RandomBytes" + std::to_string(seed), RandomBytes(seed, 4096)});
    return files;
}

// The table on screen before each attempt: nothing any bad file contains.
QStringList KeptCells() {
    return TaggedCells("保留");
}

// Loads `path` into a table holding KeptCells(); the load must be refused
// with a reason and leave the table exactly as it was.
void ExpectLoadRefused(const QString& path) {
    ElementsTable table(kRows, kColumns, 1, 1);
    Fill(table, KeptCells());
    const Outcome<QString> result = LoadFromFile(table, path);
    EXPECT_FALSE(result.ok());
    EXPECT_FALSE(result.reason().isEmpty());
    EXPECT_EQ(table.Cells(), KeptCells());
    EXPECT_EQ(table.RowCount(), kRows);
    EXPECT_EQ(table.ColumnCount(), kColumns);
}

void ExpectRefused(const QString& path, const QByteArray& bytes) {
    ASSERT_TRUE(WriteBytes(path, bytes));
    ExpectLoadRefused(path);
}

class BadInput : public testing::TestWithParam<BadFile> {
  protected:
    QTemporaryDir dir_;
};

TEST_P(BadInput, IsRefusedAndTheTableStays) {
    ExpectRefused(dir_.filePath("bad.efs"), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(MalformedFiles, BadInput, testing::ValuesIn(BadFiles()),
                         [](const auto& info) { return info.param.name; });

TEST(BadInputSanity, TheFileTheCasesStartFromIsAccepted) {
    QTemporaryDir dir;
    ASSERT_TRUE(WriteBytes(dir.filePath("good.efs"), ValidBytes()));
    ElementsTable table(kRows, kColumns, 1, 1);
    ASSERT_TRUE(LoadFromFile(table, dir.filePath("good.efs")).ok());
    EXPECT_EQ(table.Cells(), ValidCells());
}

// A valid file cut off at any byte is refused, except where only the final
// whitespace is lost.
TEST(BadInputTruncated, AtEveryByteIsRefused) {
    QTemporaryDir dir;
    const QByteArray valid = ValidBytes();
    int tried = 0;
    for (qsizetype length = 0; length < valid.size(); ++length) {
        if (valid.mid(length).trimmed().isEmpty()) break;
        SCOPED_TRACE("truncated to " + std::to_string(length) + " bytes");
        ExpectRefused(dir.filePath("cut.efs"), valid.left(length));
        ++tried;
        if (HasFailure()) break;
    }
    EXPECT_GT(tried, 1000);
    RecordProperty("truncations", tried);
}

// A refusal quotes file content by a bounded excerpt on one line: a file
// with a 1 MiB unknown key gets a message a box can show.
TEST(BadInputMessages, QuoteABoundedExcerpt) {
    for (const auto& [text, excerpt] :
         {std::pair{QStringLiteral("a\nb\tc"), QStringLiteral("a b c")},
          {QString(qsizetype{1} << 20, u'k'), QString(32, u'k') + "…（共 1048576 个字符）"},
          {QString(31, u'a') + QStringLiteral("😀") + QString(20, u'b'),
           QString(31, u'a') + "…（共 53 个字符）"}})
        EXPECT_EQ(MessageExcerpt(text), excerpt);
    const QByteArray key(qsizetype{1} << 20, 'k');
    const auto decoded = element_file::Decode(
        R"({"format": "hydraulic-elements-table", ")" + key + R"(": 1})", kRows, kColumns);
    EXPECT_LT(decoded.reason().size(), 80);
}

TEST(BadInputPaths, AHundredMegabyteFileIsRefusedUnread) {
    QTemporaryDir dir;
    const QString path = dir.filePath("huge.efs");
    {
        QFile huge(path);
        ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
        ASSERT_TRUE(huge.resize(100LL * 1024 * 1024));  // sparse: no disk space used
    }
    ElementsTable table(kRows, kColumns, 1, 1);
    Fill(table, KeptCells());
    const Outcome<QString> result = LoadFromFile(table, path);
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.reason().contains("过大")) << result.reason().toStdString();
    EXPECT_EQ(table.Cells(), KeptCells());
    QFile::remove(path);
}

// A valid file padded with whitespace is still valid JSON, so only the size
// cap tells these two apart.
TEST(BadInputPaths, TheSizeCapIsExact) {
    QTemporaryDir dir;
    const QByteArray valid = ValidBytes();
    const QString path = dir.filePath("padded.efs");
    ElementsTable table(kRows, kColumns, 1, 1);

    ASSERT_TRUE(
        WriteBytes(path, valid + QByteArray(element_file::kMaxFileBytes - valid.size(), ' ')));
    EXPECT_TRUE(LoadFromFile(table, path).ok());
    EXPECT_EQ(table.Cells(), ValidCells());

    Fill(table, KeptCells());
    ExpectRefused(path, valid + QByteArray(element_file::kMaxFileBytes + 1 - valid.size(), ' '));
    QFile::remove(path);
}

TEST(BadInputPaths, ThingsThatAreNotFilesAreRefused) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    const QString fifo = dir.filePath("pipe.efs");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString paths[] = {dir.filePath("missing.efs"), dir.filePath("folder"), fifo, "/dev/zero",
                             ""};
    for (const QString& path : paths) {
        SCOPED_TRACE(path.toStdString());
        ExpectLoadRefused(path);
    }
}

}  // namespace

}  // namespace channel
