#include "files/ElementFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "files/ElementFileFormat.h"
#include "io/AtomicFileWrite.h"

namespace channel {

namespace {

using FileOutcome = Outcome<QString>;

FileOutcome Failed(const QString& reason) {
    return FileOutcome::Failure(reason);
}

QString CapText() {
    return QStringLiteral("%1 MB").arg(element_file::kMaxFileBytes / (qint64{1024} * 1024));
}

// Why the folder a file should go into is not there: it, or a folder on the
// way to it, is missing, or that name is taken by something that is not a
// folder (a plain file), which saying "missing" would hide.
QString MissingFolderReason(const QString& folder) {
    QFileInfo step(folder);
    while (!step.exists() && !step.isRoot() && step.absolutePath() != step.absoluteFilePath())
        step = QFileInfo(step.absolutePath());
    if (step.exists() && !step.isDir()) {
        return QStringLiteral("“%1”是一个文件，不是文件夹，无法在其中保存。")
            .arg(QDir::toNativeSeparators(step.absoluteFilePath()));
    }
    return QStringLiteral("文件夹“%1”不存在。").arg(QDir::toNativeSeparators(folder));
}

}  // namespace

FileOutcome SaveToFile(const ElementsTable& table, const QString& path,
                       const ReportInfo& reportInfo) {
    if (path.isEmpty()) return Failed(QStringLiteral("没有给出文件名。"));
    // QFileInfo follows links, so a link to a folder or a device is judged
    // by what it points to.
    const QFileInfo target(path);
    if (target.isDir()) return Failed(QStringLiteral("目标是一个文件夹，不能当作文件写入。"));
    // The replacement is renamed over the old name, which would replace a
    // device or pipe node itself; such targets are never element files.
    if (target.exists() && !target.isFile())
        return Failed(QStringLiteral("目标不是普通文件（例如设备），不能写入。"));
    const QString folder = target.absolutePath();
    if (!QFileInfo(folder).isDir()) return Failed(MissingFolderReason(folder));
    // What a failed write leaves on disk: the old file, or no file at all.
    const bool replacing = target.exists();

    // The elements table keeps the entries into its discharge column: the
    // rows' design discharges; its rows' attachments are their section designs.
    const QByteArray bytes = element_file::Encode(
        table.RowCount(), table.ColumnCount(), table.Cells(), table.KeptEntriesForFile(),
        table.RowAttachmentsForFile(), table.FileExtras(), reportInfo);
    if (bytes.size() > element_file::kMaxFileBytes) {
        return Failed(
            QStringLiteral("表格内容过大，超过了水利要素文件的上限 %1，无法保存。").arg(CapText()));
    }

    const FileWriteOutcome written = WriteFileAtomically(path, bytes);
    if (written.ok()) return FileOutcome::Success();
    const FileWriteFailure& failure = written.reason();
    switch (failure.step) {
        case FileWriteStep::Create:
            return Failed(QStringLiteral("无法创建文件（%1）。").arg(failure.reason));
        case FileWriteStep::Write:
            return Failed(
                (replacing
                     ? QStringLiteral("写入失败（磁盘可能已满），磁盘上的文件没有被改动（%1）。")
                     : QStringLiteral("写入失败（磁盘可能已满），文件没有保存（%1）。"))
                    .arg(failure.reason));
        case FileWriteStep::Commit:
            break;
    }
    return Failed((replacing ? QStringLiteral("写入失败，磁盘上的文件没有被改动（%1）。")
                             : QStringLiteral("写入失败，文件没有保存（%1）。"))
                      .arg(failure.reason));
}

FileOutcome LoadFromFile(ElementsTable& table, const QString& path, ReportInfo* reportInfo) {
    if (path.isEmpty()) return Failed(QStringLiteral("没有给出文件名。"));
    const QFileInfo info(path);
    if (!info.exists()) return Failed(QStringLiteral("文件不存在。"));
    if (info.isDir()) return Failed(QStringLiteral("这是一个文件夹，不是文件。"));
    // Devices and pipes can block or never end; an element file is a file.
    if (!info.isFile()) return Failed(QStringLiteral("这不是普通文件。"));
    const QString tooLarge =
        QStringLiteral("文件过大（水利要素文件不超过 %1），不是水利要素文件。").arg(CapText());
    if (info.size() > element_file::kMaxFileBytes) return Failed(tooLarge);

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Failed(QStringLiteral("无法打开文件（%1）。").arg(file.errorString()));
    // Read one byte past the cap so a file that grew since the check is
    // still caught without reading it whole.
    const QByteArray bytes = file.read(element_file::kMaxFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return Failed(QStringLiteral("读取文件时出错（%1）。").arg(file.errorString()));
    if (bytes.size() > element_file::kMaxFileBytes) return Failed(tooLarge);

    const Result<element_file::Contents, QString> decoded =
        element_file::Decode(bytes, table.RowCount(), table.ColumnCount());
    if (!decoded.ok()) return Failed(decoded.reason());
    const element_file::Contents& contents = decoded.value();
    table.ReplaceContents(table.RowCount(), table.ColumnCount(), contents.cells,
                          contents.designDischarges);
    for (int row = 0; row < contents.sectionDesigns.size(); ++row)
        table.SetRowAttachment(row, contents.sectionDesigns[row]);
    table.SetFileExtras(contents.extras);
    if (reportInfo) *reportInfo = contents.reportInfo;
    return FileOutcome::Success();
}

}  // namespace channel
