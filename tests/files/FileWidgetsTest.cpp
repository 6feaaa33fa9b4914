#include <gtest/gtest.h>

#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "files/widgets/QtFileDialogs.h"
#include "files/widgets/QtFileMessages.h"

namespace channel {

namespace {

const QStringList kFilters = {"水利要素文件(*.efs)", "所有文件(*.*)"};

// The caption and the three buttons are checked on the shown box, with Qt's
// Chinese texts, where the translations are tested.
TEST(SaveChangesBox, AsksTheQuestionWithTheQuestionIcon) {
    const auto box = CreateSaveChangesBox(nullptr);
    EXPECT_EQ(box->text(), "文件已经被修改，是否保存？");
    EXPECT_EQ(box->icon(), QMessageBox::Question);
}

TEST(SaveChangesBox, EscapeAndTheCloseButtonMeanCancel) {
    const std::function<void(QMessageBox&)> dismissals[] = {
        [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); },
        [](QMessageBox& box) { box.close(); },
    };
    for (const auto& dismiss : dismissals) {
        const auto box = CreateSaveChangesBox(nullptr);
        box->show();  // not exec(): nothing waits for a user
        dismiss(*box);
        EXPECT_FALSE(box->isVisible());
        EXPECT_EQ(AnswerFromButton(box->standardButton(box->clickedButton())),
                  SaveChangesAnswer::Cancel);
    }
}

TEST(SaveChangesBox, ClickedButtonsGiveTheirAnswers) {
    const std::pair<QMessageBox::StandardButton, SaveChangesAnswer> cases[] = {
        {QMessageBox::Yes, SaveChangesAnswer::Yes},
        {QMessageBox::No, SaveChangesAnswer::No},
        {QMessageBox::Cancel, SaveChangesAnswer::Cancel},
    };
    for (const auto& [button, answer] : cases) {
        const auto box = CreateSaveChangesBox(nullptr);
        box->show();
        QTest::mouseClick(box->button(button), Qt::LeftButton);
        EXPECT_EQ(AnswerFromButton(box->standardButton(box->clickedButton())), answer);
    }
    EXPECT_EQ(AnswerFromButton(QMessageBox::NoButton), SaveChangesAnswer::Cancel);
}

TEST(FileErrorBox, NamesTheFileAndTheReason) {
    const auto box = CreateFileErrorBox(nullptr, "/data/渠道.efs", "文件不存在。");
    EXPECT_TRUE(box->text().contains(QDir::toNativeSeparators("/data/渠道.efs")));
    EXPECT_TRUE(box->text().contains("文件不存在。"));
    EXPECT_EQ(box->windowTitle(), "错误");
    EXPECT_EQ(box->icon(), QMessageBox::Critical);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
}

// Their titles, which follow the accept mode, are checked on the shown
// dialogs with Qt's Chinese texts.
TEST(ElementFileDialogs, BothOfferElementFilesFirst) {
    for (const auto& make : {CreateOpenDialog, CreateSaveDialog}) {
        const auto dialog = make(nullptr);
        SCOPED_TRACE(dialog->acceptMode() == QFileDialog::AcceptOpen ? "open" : "save");
        EXPECT_EQ(dialog->nameFilters(), kFilters);
        EXPECT_EQ(dialog->selectedNameFilter(), kFilters.first());
        EXPECT_EQ(dialog->defaultSuffix(), "efs");
    }
    EXPECT_EQ(CreateOpenDialog(nullptr)->fileMode(), QFileDialog::ExistingFile);
    EXPECT_FALSE(CreateSaveDialog(nullptr)->testOption(QFileDialog::DontConfirmOverwrite));
}

// Whichever filter is selected, a typed name without extension gets ".efs".
TEST(ElementFileDialogs, TypedNameWithoutExtensionGetsEfs) {
    QTemporaryDir dir;
    for (const QString& filter : kFilters) {
        const auto dialog = CreateSaveDialog(nullptr);
        dialog->setOption(QFileDialog::DontUseNativeDialog);
        dialog->setDirectory(dir.path());
        dialog->selectNameFilter(filter);
        dialog->show();
        dialog->selectFile("渠道一");
        static_cast<QDialog*>(dialog.get())->accept();  // as the dialog's own Save button does
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
        EXPECT_EQ(dialog->selectedFiles(), QStringList{dir.filePath("渠道一.efs")})
            << filter.toStdString();
    }
}

}  // namespace

}  // namespace channel
