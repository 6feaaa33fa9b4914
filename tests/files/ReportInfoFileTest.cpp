#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "TestSupport.h"
#include "files/ElementFile.h"
#include "files/ElementFileFormat.h"

namespace channel {

using namespace files_test;

namespace {

QByteArray WithReportInfo(const QByteArray& object) {
    QByteArray bytes = element_file::Encode(kRows, kColumns, StartupCells());
    bytes.chop(3);  // "\n}\n"
    return bytes + ",\n    \"reportInfo\": " + object + "\n}\n";
}

// Kept beside the table, every field as typed; no information, no key, and
// the file is what it always was.
TEST(ReportInfoFileTest, RoundTripsAndAFileWithoutItKeepsItsBytes) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ElementsTable table{kRows, kColumns, kFixedRows, kFixedColumns};
    Fill(table, StartupCells());
    const ReportInfo info{"某\"工程\"\n二期", "", "初步设计", "张三", "李四", "王五", "2026年12月"};
    ASSERT_TRUE(SaveToFile(table, dir.filePath("a.efs"), info).ok());
    ReportInfo loaded;
    loaded.project = "旧的";
    ASSERT_TRUE(LoadFromFile(table, dir.filePath("a.efs"), &loaded).ok());
    EXPECT_EQ(loaded, info);
    EXPECT_FALSE(ReadBytes(dir.filePath("a.efs")).contains("\"canal\""));

    ASSERT_TRUE(SaveToFile(table, dir.filePath("b.efs"), ReportInfo{}).ok());
    EXPECT_EQ(ReadBytes(dir.filePath("b.efs")),
              element_file::Encode(kRows, kColumns, StartupCells()));
    ASSERT_TRUE(LoadFromFile(table, dir.filePath("b.efs"), &loaded).ok());
    EXPECT_TRUE(loaded.IsEmpty());
}

TEST(ReportInfoFileTest, AnythingButAnObjectOfKnownStringsIsRefused) {
    const struct {
        const char* object;
        bool accepted;
    } cases[] = {
        {R"({})", true},
        {R"({"project":"甲","date":"2026-12-01"})", true},
        {R"("甲")", false},
        {R"([])", false},
        {R"({"project":1})", false},
        {R"({"project":null})", false},
        {R"({"designer":"甲"})", false},
    };
    for (const auto& c : cases) {
        const auto decoded = element_file::Decode(WithReportInfo(c.object), kRows, kColumns);
        EXPECT_EQ(decoded.ok(), c.accepted) << c.object;
        if (!decoded.ok()) {
            EXPECT_EQ(decoded.reason(), QStringLiteral("文件中的计算书信息有误。"));
        }
    }
}

}  // namespace

}  // namespace channel
