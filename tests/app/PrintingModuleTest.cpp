#include <gtest/gtest.h>

#include <QAction>
#include <QFileInfo>
#include <QLibrary>
#include <QMenu>
#include <QTemporaryDir>
#include <memory>

#include "app/core/ShellTexts.h"
#include "app/widgets/PrintingModule.h"
#include "support/PrintDoubles.h"
#include "support/QStringPrinter.h"
#include "tests/app/MainWindowFixture.h"

namespace channel {

namespace {

using namespace elements_table;  // the columns

// The module as built prints the table and makes Qt's dialogs.
TEST(PrintingModuleTest, PrintsTheTableThroughTheModuleAsBuilt) {
    QLibrary module(QStringLiteral(CHANNEL_PRINTING_MODULE));
    using Entry = const Printing* (*)();
    const auto entry = reinterpret_cast<Entry>(module.resolve(kPrintingSymbol));
    ASSERT_NE(entry, nullptr) << module.errorString().toStdString();
    const Printing* printing = entry();
    ASSERT_NE(printing, nullptr);
    ASSERT_TRUE(printing->printTable && printing->previewTable && printing->previewReport);
    EXPECT_NE(std::unique_ptr<PrintDialogs>(printing->makeDialogs(nullptr)), nullptr);

    QTemporaryDir dir;
    ElementsTable table(kRows, kColumns, kFixedRows, kFixedColumns);
    ScriptedPrintDialogs dialogs;
    dialogs.pdfFile = dir.filePath("table.pdf");
    dialogs.confirmAnswers = {true};
    printing->printTable(table, dialogs);
    EXPECT_EQ(dialogs.printAsked, 1);
    EXPECT_GT(QFileInfo(dialogs.pdfFile).size(), 0);
}

// Counts how often the program asks for the printing functions; they are
// the linked ones, with dialogs that cancel.
int printingAsked = 0;
const Printing* CountedPrinting() {
    ++printingAsked;
    static const Printing printing{
        LinkedPrinting().printTable, LinkedPrinting().previewTable, LinkedPrinting().previewReport,
        [](QWidget*) -> PrintDialogs* { return new ScriptedPrintDialogs; }};
    return &printing;
}

TEST_F(MainWindowTest, PrintingIsOpenedAtTheFirstPrintNotWithTheWindow) {
    printingAsked = 0;
    DoubledSeams others;
    MainWindowSeams seams = others.Make();
    seams.printDialogs.reset();  // the program's own, deferred
    seams.printing = CountedPrinting;
    MainWindow program(state, std::move(seams));
    program.show();
    EXPECT_EQ(printingAsked, 0);
    program.FileMenu()->findChild<QAction*>(QStringLiteral("打印预览"))->trigger();
    EXPECT_GT(printingAsked, 0);
}

TEST_F(MainWindowTest, PrintingSaysWhyWhenTheModuleCannotBeOpened) {
    DoubledSeams others;
    MainWindowSeams seams = others.Make();
    seams.printing = [] { return static_cast<const Printing*>(nullptr); };
    MainWindow broken(state, std::move(seams));
    broken.show();
    FillAndCalculate(
        broken, 1,
        {"2", "1.5", nullptr, "0.025", "0.0005", nullptr, nullptr, nullptr, nullptr, "2"});
    for (const char* item : {"打印", "打印预览", "打印计算书"}) {
        broken.Doc().RecalculateAllRows();  // another status text first
        ASSERT_NE(broken.StatusText(), shell_text::kPrintingMissing);
        broken.FileMenu()->findChild<QAction*>(QString::fromUtf8(item))->trigger();
        EXPECT_EQ(broken.StatusText(), shell_text::kPrintingMissing) << item;
    }
    EXPECT_EQ(others.print->printAsked + others.print->previews, 0);
}

}  // namespace

}  // namespace channel
