#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>

#include "TestSupport.h"
#include "files/ElementFile.h"
#include "files/ElementFileFormat.h"
#include "files/SectionDesignKeys.h"
#include "support/AppTable.h"

namespace channel {

using namespace files_test;

namespace {

class SectionDesignFileTest : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    QString Path(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }

    QTemporaryDir dir_;
};

TEST_F(SectionDesignFileTest, DesignInputsRoundTripWithTheKeysOfANewerVersion) {
    AppTable saved;
    DesignAllowances full;
    full.increasePercent = 20;
    full.grade = 3;
    full.freeboard = 0.6;
    full.minimumDischarge = 0.8;
    full.scourLimit = 0.9;
    full.siltLimit = 0.3;
    full.widthStep = 0.1;
    full.depthStep = 0.05;
    // A key of a newer version inside a row's design stays with it.
    saved.SetRowAttachment(2, section_design_keys::Written(full, {{"lining", "concrete"}}));
    DesignAllowances partial;
    partial.enlargedDischarge = 2.6;
    saved.SetRowAttachment(5, section_design_keys::Written(partial));
    ASSERT_TRUE(SaveToFile(saved, Path("a.efs")).ok());

    AppTable loaded;
    loaded.SetRowAttachment(7, {{"increasePercent", 10}});  // replaced by the file's none
    ASSERT_TRUE(LoadFromFile(loaded, Path("a.efs")).ok());
    EXPECT_EQ(loaded.TakeSnapshot(), saved.TakeSnapshot());
    EXPECT_EQ(section_design_keys::Read(loaded.RowAttachment(2)), full);
    EXPECT_EQ(section_design_keys::Read(loaded.RowAttachment(5)), partial);
    EXPECT_EQ(loaded.RowAttachment(2).value("lining").toString(), "concrete");
    EXPECT_TRUE(loaded.RowAttachment(7).isEmpty());
}

// A file a newer version wrote, with keys this one does not know: it opens,
// and saving it here writes them back with everything else unchanged.
TEST_F(SectionDesignFileTest, UnknownKeysAreKeptThroughOpenAndSave) {
    AppTable original;
    original.SetCellText(3, elements_table::kBottomWidthColumn, "2.5");
    QJsonObject root =
        QJsonDocument::fromJson(element_file::Encode(kRows, kColumns, original.Cells())).object();
    const QJsonObject style{{"title", "某灌区干渠"}, {"pages", 3}, {"signed", QJsonValue()}};
    root["drawingStyle"] = style;
    root["zz"] = QJsonArray{1.5, "二", true};
    ASSERT_TRUE(WriteBytes(Path("newer.efs"), QJsonDocument(root).toJson()));

    AppTable table;
    ASSERT_TRUE(LoadFromFile(table, Path("newer.efs")).ok());
    EXPECT_EQ(table.Cells(), original.Cells());
    ASSERT_TRUE(SaveToFile(table, Path("saved.efs")).ok());
    const QJsonObject written = QJsonDocument::fromJson(ReadBytes(Path("saved.efs"))).object();
    EXPECT_EQ(written, root);

    // Saved again after loading what it wrote: the same bytes.
    AppTable again;
    ASSERT_TRUE(LoadFromFile(again, Path("saved.efs")).ok());
    ASSERT_TRUE(SaveToFile(again, Path("again.efs")).ok());
    EXPECT_EQ(ReadBytes(Path("again.efs")), ReadBytes(Path("saved.efs")));

    // 新建 forgets them: they belonged to the file.
    again.ReplaceContents(kRows, kColumns, StartupCells());
    EXPECT_TRUE(again.FileExtras().isEmpty());
}

// A table without designs or kept keys writes exactly the older form.
TEST_F(SectionDesignFileTest, TableWithoutDesignsHasTheOlderForm) {
    AppTable table;
    table.SetCellText(2, elements_table::kBottomWidthColumn, "1.5");
    table.SetRowAttachment(2, {{"grade", 4}});
    table.SetRowAttachment(2, {});
    ASSERT_TRUE(SaveToFile(table, Path("plain.efs")).ok());
    EXPECT_EQ(ReadBytes(Path("plain.efs")), element_file::Encode(kRows, kColumns, table.Cells()));
}

}  // namespace

}  // namespace channel
