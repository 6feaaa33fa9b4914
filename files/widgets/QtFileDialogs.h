#pragma once

#include <QFileDialog>
#include <QString>
#include <QWidget>
#include <memory>
#include <optional>

#include "files/FileCommands.h"

namespace channel {

// The filters of both element-file dialogs; the first is selected on opening.
QStringList ElementFileNameFilters();

// The filters of the calculation report's save dialog, PDF first.
QStringList ReportFileNameFilters();

// 通用对话框1 and 通用对话框2, built but not shown, so their set-up can be
// checked without running them. Neither sets a title of its own.
std::unique_ptr<QFileDialog> CreateOpenDialog(QWidget* parent);
std::unique_ptr<QFileDialog> CreateSaveDialog(QWidget* parent);

// Runs the dialogs above modally over `parent`.
class QtFileDialogs : public FileDialogs {
  public:
    explicit QtFileDialogs(QWidget* parent) : parent_(parent) {}
    std::optional<QString> AskOpenPath() override;
    std::optional<QString> AskSavePath() override;
    std::optional<QString> AskReportPath(const QString& suggested) override;

  private:
    QWidget* parent_;
};

}  // namespace channel
