#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "TestSupport.h"
#include "files/ElementFile.h"
#include "files/ElementFileFormat.h"
#include "support/AppTable.h"
#include "table/ElementsLayout.h"

namespace channel {

using namespace files_test;

namespace {

constexpr int kQ = elements_table::kDischargeColumn;

QStringList Designs(const ElementsTable& table) {
    QStringList designs;
    for (int row = 0; row < table.RowCount(); ++row) designs << table.KeptEntry(row);
    return designs;
}

class DesignDischargeFileTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        Fill(saved_, StartupCells());
    }
    // Saves saved_ and loads the file into a table that held other designs.
    ElementsTable& SaveAndLoad() {
        const QString path = dir_.filePath("table.efs");
        EXPECT_TRUE(SaveToFile(saved_, path).ok());
        Fill(loaded_, StartupCells());
        for (int row = elements_table::kFirstSectionRow; row <= elements_table::kLastSectionRow;
             ++row)
            loaded_.SetCellText(row, kQ, "99");
        const Outcome<QString> result = LoadFromFile(loaded_, path);
        EXPECT_TRUE(result.ok()) << result.reason().toStdString();
        return loaded_;
    }
    QByteArray SavedBytes() {
        const QString path = dir_.filePath("bytes.efs");
        EXPECT_TRUE(SaveToFile(saved_, path).ok());
        return ReadBytes(path);
    }

    QTemporaryDir dir_;
    AppTable saved_;  // keeps the design discharges, as the window's table does
    AppTable loaded_;
};

TEST_F(DesignDischargeFileTest, RoundTripKeepsDesignsBesideTheirComputedDischarges) {
    saved_.SetCellText(2, kQ, "2");
    saved_.SetCellText(2, kQ, 2.027672f);    // the scan's result over the design
    saved_.SetCellText(4, kQ, 1.5f);         // a result with no design
    saved_.SetCellText(6, kQ, "３.5 m3/s");  // kept as typed
    saved_.SetCellText(7, kQ, "8");          // design and cell agree

    const ElementsTable& loaded = SaveAndLoad();
    EXPECT_EQ(loaded.Cells(), saved_.Cells());
    EXPECT_EQ(Designs(loaded), Designs(saved_));
    EXPECT_EQ(loaded.KeptEntry(2), "2");
    EXPECT_EQ(loaded.GetCellText(2, kQ), "2.027672");
    EXPECT_EQ(loaded.KeptEntry(4), "");
}

// While every design is its cell's text the file is written exactly as
// before, so older copies of the program still open it.
TEST_F(DesignDischargeFileTest, FileWithoutExtraDesignsHasTheOlderForm) {
    saved_.SetCellText(2, kQ, "2");
    saved_.SetCellText(3, elements_table::kBottomWidthColumn, "2.5");
    const QByteArray bytes = SavedBytes();
    EXPECT_EQ(bytes, element_file::Encode(kRows, kColumns, saved_.Cells()));
    EXPECT_FALSE(bytes.contains("designDischarges"));

    saved_.SetCellText(2, kQ, 2.027672f);
    EXPECT_TRUE(SavedBytes().contains(R"("designDischarges": ["","","2","",)"));
}

// A file written before design discharges were kept: every discharge cell
// counts as typed, whatever the table held before the load.
TEST_F(DesignDischargeFileTest, OlderFileLoadsItsDischargeCellsAsDesigns) {
    QStringList cells = StartupCells();
    cells[2 * kColumns + kQ] = "2";
    cells[5 * kColumns + kQ] = "2.027672";
    const QString path = dir_.filePath("old.efs");
    ASSERT_TRUE(WriteBytes(path, element_file::Encode(kRows, kColumns, cells)));
    loaded_.SetCellText(3, kQ, "7");
    ASSERT_TRUE(LoadFromFile(loaded_, path).ok());

    QStringList expected(kRows);
    expected[2] = "2";
    expected[5] = "2.027672";
    EXPECT_EQ(Designs(loaded_), expected);
}

TEST_F(DesignDischargeFileTest, RefusedFileLeavesTheDesigns) {
    loaded_.SetCellText(3, kQ, "7");
    loaded_.SetCellText(3, kQ, 7.25f);
    const QString path = dir_.filePath("bad.efs");
    // A number where the first row's design should be a text.
    QByteArray bytes = element_file::Encode(kRows, kColumns, StartupCells(), QStringList(kRows));
    ASSERT_TRUE(bytes.contains(R"("designDischarges": ["",)"));
    bytes.replace(R"("designDischarges": ["",)", R"("designDischarges": [1,)");
    ASSERT_TRUE(WriteBytes(path, bytes));
    EXPECT_FALSE(LoadFromFile(loaded_, path).ok());
    EXPECT_EQ(loaded_.KeptEntry(3), "7");
}

}  // namespace

}  // namespace channel
