#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QPrinter>
#include <QTimer>

#include "table/print/PrintDialogs.h"

namespace channel {

namespace {

// The real dialogs, each closed as soon as its event loop runs.
TEST(QtPrintDialogsTest, CancelIsReportedAndThePreviewPaintsOnTheGivenPrinter) {
    const auto rejectModalDialog = [] {
        QTimer::singleShot(
            0, [] { qobject_cast<QDialog*>(QApplication::activeModalWidget())->reject(); });
    };
    QtPrintDialogs dialogs(nullptr);
    QPrinter printer;
    rejectModalDialog();
    EXPECT_FALSE(dialogs.ConfirmPrint(printer));

    QPrinter* painted = nullptr;
    rejectModalDialog();
    dialogs.ShowPreview(printer, [&](QPrinter& target) { painted = &target; });
    EXPECT_EQ(painted, &printer);
}

}  // namespace

}  // namespace channel
