#include "files/widgets/QtFileDialogs.h"

namespace channel {

namespace {

std::unique_ptr<QFileDialog> CreateElementFileDialog(QWidget* parent) {
    auto dialog = std::make_unique<QFileDialog>(parent);
    const QStringList filters = ElementFileNameFilters();
    dialog->setNameFilters(filters);
    dialog->selectNameFilter(filters.first());
    // A name typed without an extension gets ".efs".
    dialog->setDefaultSuffix(QStringLiteral("efs"));
    return dialog;
}

std::optional<QString> RunDialog(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.first().isEmpty()) return std::nullopt;
    return chosen.first();
}

}  // namespace

QStringList ElementFileNameFilters() {
    return {QStringLiteral("水利要素文件(*.efs)"), QStringLiteral("所有文件(*.*)")};
}

QStringList ReportFileNameFilters() {
    return {QStringLiteral("PDF 文件(*.pdf)"), QStringLiteral("ODT 文档(*.odt)")};
}

std::unique_ptr<QFileDialog> CreateOpenDialog(QWidget* parent) {
    auto dialog = CreateElementFileDialog(parent);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    return dialog;
}

std::unique_ptr<QFileDialog> CreateSaveDialog(QWidget* parent) {
    auto dialog = CreateElementFileDialog(parent);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    // Overwriting an existing file is confirmed by the dialog (Qt's default;
    // DontConfirmOverwrite stays off).
    return dialog;
}

std::optional<QString> QtFileDialogs::AskOpenPath() {
    auto dialog = CreateOpenDialog(parent_);
    return RunDialog(*dialog);
}

std::optional<QString> QtFileDialogs::AskSavePath() {
    auto dialog = CreateSaveDialog(parent_);
    return RunDialog(*dialog);
}

std::optional<QString> QtFileDialogs::AskReportPath(const QString& suggested) {
    QFileDialog dialog(parent_);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    const QStringList filters = ReportFileNameFilters();
    dialog.setNameFilters(filters);
    // A name typed without an extension gets the chosen type's.
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog,
        [&dialog, odt = filters.last()](const QString& filter) {
            dialog.setDefaultSuffix(filter == odt ? QStringLiteral("odt") : QStringLiteral("pdf"));
        });
    dialog.selectFile(suggested);
    return RunDialog(dialog);
}

}  // namespace channel
