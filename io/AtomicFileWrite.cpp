#include "io/AtomicFileWrite.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <cerrno>

#include "io/SystemErrorText.h"

namespace channel {

namespace {

FileWriteOutcome Failed(FileWriteStep step, const QString& reason) {
    return FileWriteOutcome::Failure(FileWriteFailure{step, reason});
}

// Qt describes a file error in English. The errno left by the failing system
// call names the cause, which the user is told in Chinese. Where the call sets
// none (Windows reports through its own error codes, and there Qt's text is
// already in the system's language) Qt's text is kept.
QString Reason(int errorCode, const QFileDevice& file) {
    if (errorCode != 0) return SystemErrorText(errorCode);
    const QString qtText = file.errorString();
    return qtText.isEmpty() ? SystemErrorText(errorCode) : qtText;
}

// Taken when the program is loaded: every temporary this run writes is
// newer, so only the leftovers of earlier runs are older.
const QDateTime kProgramStart = QDateTime::currentDateTimeUtc();

// QSaveFile names its temporary file after the target with six random
// letters or digits appended.
void RemoveLeftoverTemporaries(const QFileInfo& target) {
    const QString suffix = target.suffix();
    if (suffix.isEmpty()) return;
    const QRegularExpression ownTemporary(
        QStringLiteral("^.+\\.%1\\.[A-Za-z0-9]{6}$").arg(QRegularExpression::escape(suffix)));
    QDir folder = target.absoluteDir();
    const QFileInfoList candidates =
        folder.entryInfoList({QStringLiteral("*.%1.??????").arg(suffix)},
                             QDir::Files | QDir::Hidden | QDir::NoSymLinks | QDir::System);
    for (const QFileInfo& file : candidates) {
        if (!ownTemporary.match(file.fileName()).hasMatch() || !file.isFile() ||
            file.lastModified().toUTC() >= kProgramStart)
            continue;
        // Best effort: a leftover that cannot be removed does not stop the save.
        folder.remove(file.fileName());
    }
}

}  // namespace

FileWriteOutcome WriteFileAtomically(const QString& path, const QByteArray& bytes) {
    const QFileInfo target(path);
    if (target.exists() && !target.isFile()) {
        return Failed(FileWriteStep::Create,
                      QString::fromUtf8(target.isDir() ? "目标是一个文件夹" : "目标不是普通文件"));
    }
    RemoveLeftoverTemporaries(target);

    QSaveFile file(path);
    // Never fall back to writing over the target in place.
    file.setDirectWriteFallback(false);
    errno = 0;
    // Unbuffered: every byte reaches the system inside write(), so its error
    // is the one errno holds right after it.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return Failed(FileWriteStep::Create, Reason(errno, file));
    }
    errno = 0;
    // QSaveFile::commit() would rename a cut-off file over the target when
    // its own final flush fails, so the content is written and checked here.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = Reason(errno, file);
        file.cancelWriting();
        return Failed(FileWriteStep::Write, reason);
    }
    errno = 0;
    if (!file.commit()) return Failed(FileWriteStep::Commit, Reason(errno, file));
    return FileWriteOutcome::Success();
}

}  // namespace channel
