#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QChartView>
#include <QImage>
#include <QLabel>
#include <QLibrary>
#include <QLineSeries>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include "app/core/DrawingPainter.h"
#include "app/core/ShellTexts.h"
#include "app/widgets/DetailsValuesPanel.h"
#include "app/widgets/SectionDetailsModule.h"
#include "app/widgets/SectionDetailsWindow.h"
#include "cad/Drawing.h"
#include "files/ElementFile.h"
#include "table/ElementsLayout.h"
#include "tests/app/MainWindowFixture.h"

namespace channel {

using namespace elements_table;  // the columns

namespace {

class SectionDetailsWindowTest : public MainWindowTest {
  protected:
    SectionDetailsWindow* OpenWithF4() {
        QTest::keyClick(&window, Qt::Key_F4);
        return static_cast<SectionDetailsWindow*>(window.SectionDetails());
    }
    // The tool's own example calculated in `row`, shown in the window.
    SectionDetailsWindow* OpenOnExampleRow(int row) {
        FillAndCalculate(window, row, {"2", "1.5", "", "0.025", "0.0005", "", "", "", "", "2"});
        SectionDetailsWindow* details = OpenWithF4();
        if (details && !Shown(details).contains("0.9334")) {
            ADD_FAILURE() << "the example row is not shown";
            return nullptr;
        }
        return details;
    }
    // Opens the cell's editor, replaces its text and presses Enter, as a user
    // edits a cell; the edit ends with the row's calculation.
    void EditCell(int row, int column, const QString& text) {
        // The details window may have taken the activation when it opened.
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &window; }));
        const QRect cell = window.TableView().visualRect(window.Table().index(row, column));
        QTest::mouseClick(window.TableView().viewport(), Qt::LeftButton, {}, cell.center());
        QTest::keyClick(&window.TableView(), Qt::Key_F2);
        QWidget* editor = QApplication::focusWidget();
        ASSERT_NE(editor, &window.TableView());
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();
    }
    // What the window shows once the event loop has let it refresh.
    static QString Shown(SectionDetailsWindow* details) {
        QApplication::processEvents();
        return details->findChild<DetailsValuesPanel*>(QStringLiteral("数值"))->ShownText();
    }
    static qsizetype CurvePoints(SectionDetailsWindow* details) {
        const auto* view = details->findChild<QChartView*>(QStringLiteral("水位流量关系"));
        const QList<QAbstractSeries*> series = view->chart()->series();
        const auto* curve = series.isEmpty() ? nullptr : qobject_cast<QLineSeries*>(series.first());
        return curve ? curve->count() : -1;
    }
};

TEST_F(SectionDetailsWindowTest, F4OpensOneNonModalWindowBesideTheMainWindow) {
    EXPECT_EQ(window.SectionDetails(), nullptr);
    SectionDetailsWindow* details = OpenWithF4();
    ASSERT_NE(details, nullptr);
    EXPECT_TRUE(details->isVisible());
    EXPECT_EQ(details->objectName(), "断面详情");
    EXPECT_EQ(details->windowTitle(), "断面详情");
    EXPECT_FALSE(details->isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(window.screen()->availableGeometry().contains(details->pos()));

    details->close();
    window.ToolsMenu()->actions().value(0)->trigger();
    EXPECT_EQ(window.SectionDetails(), details) << "the same window comes back";
    EXPECT_TRUE(details->isVisible());
}

TEST_F(SectionDetailsWindowTest, F4SaysWhyWhenTheModuleCannotBeOpened) {
    DoubledSeams others;
    MainWindowSeams seams = others.Make();
    seams.makeSectionDetails = [](ElementsTable&, Clipboard&, QWidget*) -> QWidget* {
        return nullptr;
    };
    MainWindow broken(state, std::move(seams));
    broken.show();
    broken.PrepareSectionDetails();
    EXPECT_EQ(broken.StatusText(), shell_text::kStartPrompt) << "preparing fails silently";
    broken.ToolsMenu()->actions().value(0)->trigger();  // 断面详情
    EXPECT_EQ(broken.SectionDetails(), nullptr);
    EXPECT_EQ(broken.StatusText(), shell_text::kSectionDetailsMissing);
}

TEST_F(SectionDetailsWindowTest, APreparedWindowShowsTheRowOfNowBesideTheWindowOfNow) {
    window.PrepareSectionDetails();
    QApplication::processEvents();
    QWidget* prepared = window.SectionDetails();
    ASSERT_NE(prepared, nullptr);
    EXPECT_FALSE(prepared->isVisible());
    EXPECT_TRUE(prepared->testAttribute(Qt::WA_WState_Created)) << "its native window is made";

    window.move(window.pos() + QPoint(120, 40));
    SectionDetailsWindow* details = OpenOnExampleRow(3);
    ASSERT_EQ(details, prepared);
    EXPECT_TRUE(details->isVisible());
    // Placed by the main window where it is now (tops aligned), not where it
    // was when the window was made.
    EXPECT_EQ(details->frameGeometry().top(), window.frameGeometry().top());
}

TEST_F(SectionDetailsWindowTest, FollowsTheCurrentRow) {
    FillAndCalculate(window, 2, {"2", "1.5", "", "0.025", "0.0005", "", "", "", "", "2"});
    FillAndCalculate(window, 5, {"6.1", "1.5", "", "0.013", "0.0008", "", "", "", "", "126"});
    SectionDetailsWindow* details = OpenWithF4();
    ASSERT_NE(details, nullptr);

    struct Step {
        int row;
        const char* heading;
        const char* normalDepth;
    } const steps[] = {
        {2, "第 2 行", "0.9334"}, {5, "第 5 行", "3.2864"}, {2, "第 2 行", "0.9334"}};
    for (const Step& step : steps) {
        window.Table().SetCurrentCell(step.row, kDepthColumn);
        const QString shown = Shown(details);
        EXPECT_TRUE(shown.contains(step.heading)) << step.row;
        EXPECT_TRUE(shown.contains(step.normalDepth)) << step.row;
        EXPECT_EQ(details->Details().row, step.row);
        EXPECT_GT(CurvePoints(details), 10);
    }
}

TEST_F(SectionDetailsWindowTest, IncompleteRowsShowTheirReasonAndNoNumbers) {
    SectionDetailsWindow* details = OpenOnExampleRow(3);
    ASSERT_NE(details, nullptr);

    struct Case {
        int column;
        const char* reason;
    } const cases[] = {
        {kDischargeColumn, "请输入水深或者流量！"}, {kBedSlopeColumn, "请输入纵坡数据！"},
        {kRoughnessColumn, "请输入糙率数据！"},     {kSideSlopeColumn, "请输入边坡数据！"},
        {kBottomWidthColumn, "请输入底宽数据!"},
    };
    // Clearing the row from the right, one input after the other.
    for (const Case& c : cases) {
        window.Table().ClearCells(3, c.column, 3, c.column);
        const QString shown = Shown(details);
        EXPECT_TRUE(shown.contains(QString::fromUtf8(c.reason))) << c.reason;
        for (const char* stale : {"正常水深", "临界水深", "0.9334", "弗劳德数"})
            EXPECT_FALSE(shown.contains(QString::fromUtf8(stale))) << c.reason << " " << stale;
        EXPECT_EQ(CurvePoints(details), 0);
    }
}

TEST_F(SectionDetailsWindowTest, RefreshesAfterEditPasteClearAndLoad) {
    SectionDetailsWindow* details = OpenOnExampleRow(4);
    ASSERT_NE(details, nullptr);

    // An edit: the row is calculated again and the window follows.
    EditCell(4, kRoughnessColumn, "0.02");
    EXPECT_EQ(window.Table().GetCellText(4, kRoughnessColumn), "0.02");
    const double roughnessTwo = details->Details().flow.normalDepth;
    EXPECT_LT(roughnessTwo, 0.9);
    EXPECT_TRUE(Shown(details).contains(QString::number(roughnessTwo, 'f', 4)));

    // A pasted design discharge, aimed at by the next calculation.
    window.Table().SetCurrentCell(4, kDischargeColumn);
    doubles.clipboard->text = "3\n";
    window.PasteCells();
    EXPECT_TRUE(Shown(details).contains("3.0000"));
    EditCell(4, kRoughnessColumn, "0.025");
    EXPECT_NEAR(details->Details().flow.discharge, 3, 1e-6);
    EXPECT_EQ(window.Table().KeptEntry(4), "3");

    // A load replaces everything the window shows.
    QTemporaryDir dir;
    const QString path = dir.filePath("other.efs");
    ElementsTable other(kRows, kColumns, kFixedRows, kFixedColumns);
    other.ReplaceContents(kRows, kColumns, window.Table().Cells());
    other.SetCellText(4, kBottomWidthColumn, "6.1");
    other.SetCellText(4, kRoughnessColumn, "0.013");
    other.SetCellText(4, kBedSlopeColumn, "0.0008");
    other.SetCellText(4, kDischargeColumn, "126");
    ASSERT_TRUE(SaveToFile(other, path).ok());
    doubles.dialogs->openAnswers.emplace_back(path);
    doubles.messages->answers.push_back(SaveChangesAnswer::No);  // the edits above
    window.OpenTable();
    EXPECT_TRUE(Shown(details).contains("3.2864"));

    // Clearing the discharge leaves nothing to analyse.
    window.Table().SetCurrentCell(4, kDischargeColumn);
    window.ClearCells();
    EXPECT_TRUE(Shown(details).contains("请输入水深或者流量！"));
}

// Every entry of the list has its own line, whatever the list holds, and a
// refresh that changes nothing the chart shows leaves the chart alone.
TEST_F(SectionDetailsWindowTest, ShowsEveryListedValueAndRedrawsTheChartOnlyOnChange) {
    SectionDetailsWindow* details = OpenOnExampleRow(2);
    ASSERT_NE(details, nullptr);
    const QStringList lines = Shown(details).split('\n');
    ASSERT_FALSE(details->Details().values.isEmpty());
    for (const SectionDetails::Value& value : details->Details().values) {
        QStringList cells{value.name, value.symbol, value.number, value.unit};
        cells.removeAll(QString());
        EXPECT_TRUE(lines.contains(cells.join(' '))) << cells.join(' ').toStdString();
    }

    auto* curve = qobject_cast<QLineSeries*>(
        details->findChild<QChartView*>(QStringLiteral("水位流量关系"))->chart()->series().first());
    int replaced = 0;
    QObject::connect(curve, &QXYSeries::pointsReplaced, [&replaced] { ++replaced; });
    window.Table().SetCurrentCell(2, kRoughnessColumn);
    details->Refresh();
    EXPECT_EQ(replaced, 0);
    window.Table().SetCellText(2, kRoughnessColumn, "0.02");
    details->Refresh();
    EXPECT_EQ(replaced, 1);
}

TEST_F(SectionDetailsWindowTest, CtrlCCopiesTheValuesAsText) {
    SectionDetailsWindow* details = OpenOnExampleRow(2);
    ASSERT_NE(details, nullptr);
    details->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == details; }));
    QTest::keyClick(details, Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(doubles.clipboard->text.startsWith("断面详情　第 2 行\n"));
    EXPECT_TRUE(doubles.clipboard->text.contains("\n正常水深 h0 = 0.9334 m\n"));
}

// The module the program opens on F4 resolves all it needs and makes the
// window over the program's own table.
TEST(SectionDetailsModuleTest, MakesTheWindowOverTheTable) {
    QLibrary module(QStringLiteral(CHANNEL_SECTION_DETAILS_MODULE));
    using Make = QWidget* (*)(ElementsTable&, Clipboard&, QWidget*);
    const auto make = reinterpret_cast<Make>(module.resolve(kMakeSectionDetailsSymbol));
    ASSERT_NE(make, nullptr) << module.errorString().toStdString();
    ElementsTable table(kRows, kColumns, kFixedRows, kFixedColumns);
    table.SetCellText(2, kBottomWidthColumn, "2");
    table.SetCurrentCell(2, kBottomWidthColumn);
    MemoryClipboard clipboard;
    const std::unique_ptr<QWidget> window(make(table, clipboard, nullptr));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "断面详情");
    const auto* values = window->findChild<QWidget*>(QStringLiteral("数值"));
    ASSERT_NE(values, nullptr);
    QStringList shown;
    for (const QLabel* label : values->findChildren<QLabel*>()) shown << label->text();
    EXPECT_TRUE(shown.contains("请输入边坡数据！")) << shown.join('|').toStdString();
}

// The box (0, -5)–(10, 5) fills a 100-pixel square centred in the target, 10
// pixels a unit, y up: (0, 0) lands on (10, 80); a line from (2, 0) to (8, 0)
// runs from x 30 to 90, one from (5, 0) up to (5, 4) from y 80 up to 40.
TEST(DrawingPainterTest, MapsTheSourceBoxIntoTheTargetAtOneScaleYUp) {
    Drawing drawing;
    drawing.lines = {{{2, 0}, {8, 0}, LineStyle::Solid, drawing_layers::kDimension},
                     {{5, 0}, {5, 4}, LineStyle::Solid, drawing_layers::kDimension}};
    QImage image(120, 160, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        PaintDrawing(painter, drawing, {0, -5, 10, 5}, QRectF(10, 10, 100, 140));
    }
    const auto inked = [&image](int x, int y) { return image.pixel(x, y) != qRgb(255, 255, 255); };
    for (const QPoint p : {QPoint(31, 80), QPoint(89, 80), QPoint(60, 41), QPoint(60, 79)})
        EXPECT_TRUE(inked(p.x(), p.y())) << p.x() << "," << p.y();
    for (const QPoint p : {QPoint(28, 80), QPoint(92, 80), QPoint(60, 38), QPoint(60, 90)})
        EXPECT_FALSE(inked(p.x(), p.y())) << p.x() << "," << p.y();
}

}  // namespace

}  // namespace channel
