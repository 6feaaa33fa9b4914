#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>

#include "cad/CadMessages.h"
#include "hydraulics/FlowAnalysis.h"
#include "table/ElementsLayout.h"
#include "tests/app/MainWindowFixture.h"

namespace channel {

using namespace elements_table;  // the columns

namespace {

class SectionExportTest : public MainWindowTest {
  protected:
    QAction* SectionItem() {
        QAction* item = window.ToolsMenu()->findChild<QAction*>(QStringLiteral("断面图转入cad"));
        EXPECT_NE(item, nullptr);
        return item;
    }
};

TEST_F(SectionExportTest, TheThirdToolsItemDrawsTheCurrentRowWithItsExactLevels) {
    ASSERT_EQ(window.ToolsMenu()->actions().size(), 5);
    EXPECT_EQ(window.ToolsMenu()->actions().at(2), SectionItem());
    EXPECT_EQ(SectionItem()->text(), "断面图转入cad");
    FillAndCalculate(window, 2, {"6.1", "1.5", "", "0.013", "0.0008", "", "", "", "", "126"});
    FillAndCalculate(window, 4, {"2", "1.5", "", "0.025", "0.0005", "", "", "", "", "2"});
    window.Table().SetCurrentCell(4, kDepthColumn);

    SectionItem()->trigger();

    ASSERT_EQ(doubles.sections.size(), 1u);
    const SectionDimensions& drawn = doubles.sections.front();
    const FlowAnalysis flow = AnalyseFlow(2, 1.5, 0.025, 0.0005, 2);
    EXPECT_EQ(drawn.row, 4);
    EXPECT_DOUBLE_EQ(drawn.bottomWidth, 2);
    EXPECT_DOUBLE_EQ(drawn.sideSlope, 1.5);
    EXPECT_EQ(QString::number(drawn.depth, 'f', 2), window.Table().DisplayText(4, kDepthColumn));
    EXPECT_NEAR(drawn.normalDepth, flow.normalDepth, 1e-6);
    EXPECT_NEAR(drawn.criticalDepth, flow.criticalDepth, 1e-6);
    EXPECT_NEAR(drawn.depth, drawn.normalDepth, 0.01) << "the scan's depth lies a step above h0";
    EXPECT_EQ(window.StatusText(), "section exported");
    EXPECT_EQ(doubles.exports, 0) << "the table is not drawn";
}

// A flat bed has no uniform flow: the section is still drawn, without h0.
TEST_F(SectionExportTest, AFlatBedIsDrawnWithoutTheNormalDepth) {
    FillAndCalculate(window, 3, {"2", "1.5", "1", "0.025", "0", "", "", "", "", "2"});
    SectionItem()->trigger();
    ASSERT_EQ(doubles.sections.size(), 1u);
    EXPECT_TRUE(std::isnan(doubles.sections.front().normalDepth));
    EXPECT_GT(doubles.sections.front().criticalDepth, 0);
    EXPECT_DOUBLE_EQ(doubles.sections.front().depth, 1);
}

TEST_F(SectionExportTest, NothingIsDrawnForARowThatHoldsNoSection) {
    struct Case {
        const char* name = nullptr;
        int row = -1;  // -1: no current row
        std::initializer_list<const char*> cells;
        const char* status = nullptr;
    };
    for (const Case& c : {
             Case{"no current row", -1, {}, "请在表格中选择一行。"},
             Case{"roughness missing", 5, {"2", "1.5", "1", "", "0.0005"}, "请输入糙率数据！"},
             Case{"no depth",
                  6,
                  {"2", "1.5", "", "0.025", "0.0005"},
                  "本行没有水深，请先计算本行再绘制断面图。"},
             Case{"no section",
                  7,
                  {"0", "0", "1", "0.025", "0.0005"},
                  "底宽和边坡系数都为零，没有断面可画。"},
         }) {
        SCOPED_TRACE(c.name);
        FillRow(c.row, c.cells);
        if (c.row < 0) {
            window.Table().ClearCurrentCell();
        } else {
            window.Table().SetCurrentCell(c.row, kBottomWidthColumn);
        }
        SectionItem()->trigger();
        EXPECT_TRUE(doubles.sections.empty());
        EXPECT_EQ(window.StatusText(), QString::fromUtf8(c.status));
    }
    EXPECT_EQ(doubles.dialogs->saveAsked, 0);
}

// Without the export double: the program's own export asks for the DXF file
// through the window's seam and writes the section there.
TEST(SectionExportSystemTest, WithoutAutoCadTheSectionGoesToTheDxfFileAskedFor) {
    QTemporaryDir directory;
    ASSERT_TRUE(directory.isValid());
    const QString path = directory.filePath(QStringLiteral("断面.dxf"));
    ProgramState& state = InitGlobals();
    DoubledSeams doubles;
    MainWindowSeams seams = doubles.Make();
    seams.exportSection = nullptr;
    int asked = 0;
    seams.askDxfPath = [&] {
        ++asked;
        return std::optional<QString>(path);
    };
    {
        MainWindow window(state, std::move(seams));
        FillAndCalculate(window, 1, {"2", "1.5", "", "0.025", "0.0005", "", "", "", "", "2"});
        window.ToolsMenu()->actions().at(2)->trigger();

        EXPECT_EQ(asked, 1);
        EXPECT_EQ(window.StatusText(), QString::fromUtf8(cad_messages::kSectionSavedAsDxf)
                                           .arg(QDir::toNativeSeparators(path)));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray dxf = file.readAll();
        EXPECT_TRUE(dxf.contains("h0=0.933 m"));
        EXPECT_TRUE(dxf.endsWith("EOF\r\n"));
        EXPECT_EQ(state.cadConnection.cadApplication, nullptr) << "a file needs no AutoCAD";
    }
    ReleaseGlobals();
}

}  // namespace

}  // namespace channel
