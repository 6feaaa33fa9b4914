#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPrinter>
#include <QRegularExpression>
#include <QTimer>
#include <functional>

#include "app/core/QtChineseTexts.h"
#include "files/widgets/QtFileDialogs.h"
#include "files/widgets/QtFileMessages.h"
#include "support/QStringPrinter.h"
#include "table/print/PrintDialogs.h"

namespace channel {

namespace {

// Runs `inspect` on the modal dialog that `open` shows, then closes it.
void InspectModal(const std::function<void()>& open, const std::function<void(QWidget&)>& inspect) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        seen = true;
        inspect(*modal);
        modal->close();
    });
    open();
    EXPECT_TRUE(seen);
}

// The texts a user reads on a dialog: title, labels, buttons and their
// tooltips, and the actions of its tool bars and menus.
QStringList VisibleTexts(QWidget& dialog) {
    QStringList texts{dialog.windowTitle()};
    for (auto* label : dialog.findChildren<QLabel*>())
        if (label->isVisibleTo(&dialog)) texts << label->text();
    for (auto* button : dialog.findChildren<QAbstractButton*>())
        if (button->isVisibleTo(&dialog)) texts << button->text() << button->toolTip();
    for (auto* action : dialog.findChildren<QAction*>())
        texts << action->text() << action->toolTip();
    return texts;
}

// Texts that still hold an English word. Mnemonics, file patterns such as
// "(*.efs)", folder paths and the abbreviation PDF are not words.
QStringList EnglishWords(const QStringList& texts) {
    static const QRegularExpression notWords(QStringLiteral(R"(&|\(\*\.[^)]*\)|/\S*|\bPDF\b)"));
    static const QRegularExpression word(QStringLiteral("[A-Za-z]{2,}"));
    QStringList english;
    for (const QString& text : texts)
        if (QString(text).remove(notWords).contains(word)) english << text;
    return english;
}

class QtChineseTextsTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { ASSERT_TRUE(InstallQtChineseTexts(*qApp)); }
};

TEST_F(QtChineseTextsTest, UnsavedChangesQuestionHasChineseButtons) {
    QtFileMessages messages(nullptr);
    SaveChangesAnswer answer = SaveChangesAnswer::Yes;
    InspectModal([&] { answer = messages.AskSaveChanges(); },
                 [](QWidget& dialog) {
                     auto& box = static_cast<QMessageBox&>(dialog);
                     ASSERT_NE(box.button(QMessageBox::Yes), nullptr);
                     EXPECT_EQ(box.button(QMessageBox::Yes)->text(), "是(&Y)");
                     EXPECT_EQ(box.button(QMessageBox::No)->text(), "否(&N)");
                     EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), "取消");
                     EXPECT_EQ(box.windowTitle(), "询问");
                 });
    EXPECT_EQ(answer, SaveChangesAnswer::Cancel) << "closing the box is Cancel";
}

TEST_F(QtChineseTextsTest, FileDialogsSpeakChinese) {
    QtFileDialogs dialogs(nullptr);
    struct Case {
        const char* which;
        std::function<void()> open;
        const char* title;
    };
    const Case cases[] = {
        {"open", [&] { dialogs.AskOpenPath(); }, "打开"},
        {"save", [&] { dialogs.AskSavePath(); }, "另存为"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.which);
        InspectModal(c.open, [&](QWidget& dialog) {
            EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8(c.title));
            const QStringList texts = VisibleTexts(dialog);
            EXPECT_TRUE(texts.contains("取消"));
            EXPECT_EQ(EnglishWords(texts), QStringList{});
        });
    }
}

TEST_F(QtChineseTextsTest, PrintPreviewSpeaksChinese) {
    QtPrintDialogs dialogs(nullptr);
    QPrinter printer;
    InspectModal([&] { dialogs.ShowPreview(printer, [](QPrinter&) {}); },
                 [](QWidget& dialog) {
                     EXPECT_EQ(dialog.windowTitle(), "打印预览");
                     const QStringList texts = VisibleTexts(dialog);
                     EXPECT_TRUE(texts.contains("下一页"));
                     EXPECT_EQ(EnglishWords(texts), QStringList{});
                 });
}

}  // namespace

}  // namespace channel
