#include "app/widgets/ReportWidgets.h"

#include <QDate>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

#include "app/report/ReportTexts.h"

namespace channel {

namespace {

namespace text = report_text;

struct Field {
    const char* label;
    QString ReportInfo::*member;
};

const Field kFields[] = {
    {text::kProject, &ReportInfo::project},     {text::kCanal, &ReportInfo::canal},
    {text::kStage, &ReportInfo::stage},         {text::kComputedBy, &ReportInfo::computedBy},
    {text::kCheckedBy, &ReportInfo::checkedBy}, {text::kApprovedBy, &ReportInfo::approvedBy},
    {text::kDate, &ReportInfo::date},
};

}  // namespace

std::unique_ptr<QDialog> CreateReportInfoDialog(const ReportInfo& current, QWidget* parent) {
    auto dialog = std::make_unique<QDialog>(parent);
    dialog->setObjectName(QStringLiteral("计算书信息"));
    dialog->setWindowTitle(QStringLiteral("计算书信息"));
    auto* form = new QFormLayout(dialog.get());
    for (const Field& field : kFields) {
        auto* edit = new QLineEdit(current.*field.member, dialog.get());
        edit->setObjectName(QString::fromUtf8(field.label));
        edit->setMinimumWidth(260);
        form->addRow(QString::fromUtf8(field.label), edit);
    }
    auto* date = dialog->findChild<QLineEdit*>(QString::fromUtf8(text::kDate));
    if (date->text().isEmpty())
        date->setText(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog.get());
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog.get(), &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog.get(), &QDialog::reject);
    form->addRow(buttons);
    return dialog;
}

ReportInfo ReportInfoOf(const QDialog& dialog) {
    ReportInfo info;
    for (const Field& field : kFields) {
        if (const auto* edit = dialog.findChild<QLineEdit*>(QString::fromUtf8(field.label)))
            info.*field.member = edit->text().trimmed();
    }
    return info;
}

std::optional<ReportInfo> QtReportInfoDialog::AskReportInfo(const ReportInfo& current) {
    const auto dialog = CreateReportInfoDialog(current, parent_);
    if (dialog->exec() != QDialog::Accepted) return std::nullopt;
    return ReportInfoOf(*dialog);
}

}  // namespace channel
