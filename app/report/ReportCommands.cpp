#include "app/report/ReportCommands.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>

#include "app/document/Document.h"
#include "app/report/ReportDocument.h"
#include "app/report/ReportPages.h"
#include "app/report/ReportTexts.h"
#include "files/FileCommands.h"

namespace channel {

ReportCommands::ReportCommands(Document& document, ReportSeams seams)
    : document_(document), seams_(std::move(seams)) {}

std::optional<CalculationReport> ReportCommands::Build() {
    const ElementsTable& table = document_.Table();
    QList<int> rows = ReportedRows(table);
    if (rows.isEmpty()) {
        seams_.showStatus(QString::fromUtf8(report_text::kNoRows));
        return std::nullopt;
    }
    return BuildReport({table, std::move(rows), document_.ReportInformation(),
                        document_.CurrentFileName(), document_.DepthKnownMode(),
                        QDate::currentDate()});
}

QString ReportCommands::SuggestedPath() const {
    const QString file = document_.CurrentFileName();
    if (file.isEmpty()) return QString::fromUtf8(report_text::kTitle) + QStringLiteral(".pdf");
    const QFileInfo info(file);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral("计算书.pdf"));
}

void ReportCommands::Export() {
    std::optional<CalculationReport> report = Build();
    if (!report) return;
    const std::optional<QString> path = seams_.fileDialogs.AskReportPath(SuggestedPath());
    if (!path || path->isEmpty()) return;
    const Outcome<QString> written = WriteReport(*report, *path);
    if (!written.ok()) {
        seams_.fileMessages.ShowFileError(*path, written.reason());
        return;
    }
    seams_.showStatus(
        QString::fromUtf8(report_text::kExported).arg(QDir::toNativeSeparators(*path)));
}

void ReportCommands::Print() {
    if (std::optional<CalculationReport> report = Build()) seams_.preview(*report);
}

void ReportCommands::EditInfo() {
    if (const auto info = seams_.infoDialog.AskReportInfo(document_.ReportInformation()))
        document_.SetReportInfo(*info);
}

}  // namespace channel
