#pragma once

#include <QMessageBox>
#include <QString>
#include <QWidget>
#include <memory>

#include "files/FileCommands.h"

namespace channel {

// The unsaved-changes question: "文件已经被修改，是否保存？", caption "询问",
// question icon, Yes / No / Cancel with Escape and the close button meaning
// Cancel. Built but not shown, so a test can check it.
std::unique_ptr<QMessageBox> CreateSaveChangesBox(QWidget* parent);

// The box that names a file that could not be read or written, and why.
std::unique_ptr<QMessageBox> CreateFileErrorBox(QWidget* parent, const QString& path,
                                                const QString& reason);

// The answer a button of the question stands for; any other way out of the
// box (no button at all included) is Cancel.
SaveChangesAnswer AnswerFromButton(QMessageBox::StandardButton button);

// Runs the boxes above modally over `parent`.
class QtFileMessages : public FileMessages {
  public:
    explicit QtFileMessages(QWidget* parent) : parent_(parent) {}
    SaveChangesAnswer AskSaveChanges() override;
    void ShowFileError(const QString& path, const QString& reason) override;

  private:
    QWidget* parent_;
};

}  // namespace channel
