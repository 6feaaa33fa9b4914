#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>

#include "app/report/ReportCommands.h"

class QDialog;

namespace channel {

// 计算书信息: a form of the report information's seven fields, built but
// not shown, so its set-up can be checked without running it. An empty date
// starts as today's.
std::unique_ptr<QDialog> CreateReportInfoDialog(const ReportInfo& current, QWidget* parent);
// The fields of a dialog made by CreateReportInfoDialog, as typed.
ReportInfo ReportInfoOf(const QDialog& dialog);

// Runs that dialog modally over `parent`.
class QtReportInfoDialog : public ReportInfoDialog {
  public:
    explicit QtReportInfoDialog(QWidget* parent) : parent_(parent) {}
    std::optional<ReportInfo> AskReportInfo(const ReportInfo& current) override;

  private:
    QPointer<QWidget> parent_;
};

}  // namespace channel
