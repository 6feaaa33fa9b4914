#include "files/FileCommands.h"

#include <QFileInfo>

#include "files/ElementFile.h"
#include "io/CompanionFiles.h"

namespace channel {

namespace {

// A confirmed dialog that has no name to give counts as not confirmed.
std::optional<QString> NonEmpty(std::optional<QString> path) {
    if (path && path->isEmpty()) return std::nullopt;
    return path;
}

// Writes the table to `path`, telling the user when that fails.
bool WriteTable(FileCommandContext& context, const QString& path) {
    const Outcome<QString> saved = SaveToFile(context.table, path, context.document.reportInfo);
    if (!saved.ok()) context.messages.ShowFileError(path, saved.reason());
    return saved.ok();
}

void ResetToStartupTable(FileCommandContext& context) {
    if (context.resetToStartupTable) context.resetToStartupTable();
}

// The table is now what `path` holds; an empty path: a new table of no file.
void MatchFile(FileCommandContext& context, const QString& path) {
    context.document.modified = 0;
    context.document.currentFileName = path;
}

}  // namespace

bool NewTable(FileCommandContext& context) {
    if (CheckUnsavedChanges(context)) return false;
    const QString templatePath = CompanionFile(QString::fromLatin1(kTemplateFileName));
    // A new table starts with the template's report information, or none.
    context.document.reportInfo = {};
    if (!QFileInfo::exists(templatePath)) {
        ResetToStartupTable(context);
    } else if (const Outcome<QString> loaded =
                   LoadFromFile(context.table, templatePath, &context.document.reportInfo);
               !loaded.ok()) {
        // The user has already agreed to leave the old table, so a broken
        // template still ends in a new table, after saying what was wrong.
        context.messages.ShowFileError(QFileInfo(templatePath).absoluteFilePath(), loaded.reason());
        ResetToStartupTable(context);
    }
    // The new table belongs to no file yet: the next 保存 asks for a name
    // instead of overwriting the previous file.
    MatchFile(context, {});
    return true;
}

bool OpenTable(FileCommandContext& context) {
    if (CheckUnsavedChanges(context)) return false;
    const std::optional<QString> path = NonEmpty(context.dialogs.AskOpenPath());
    return path && OpenFile(context, *path);
}

bool OpenFile(FileCommandContext& context, const QString& path) {
    ReportInfo reportInfo;
    const Outcome<QString> loaded = LoadFromFile(context.table, path, &reportInfo);
    if (!loaded.ok()) {
        context.messages.ShowFileError(path, loaded.reason());
        return false;
    }
    context.document.reportInfo = reportInfo;
    MatchFile(context, path);
    return true;
}

bool SaveTable(FileCommandContext& context) {
    const bool written = context.document.currentFileName.isEmpty()
                             ? SaveWithDialog(context)
                             : WriteTable(context, context.document.currentFileName);
    if (written) MatchFile(context, context.document.currentFileName);
    return written;
}

bool SaveTableAs(FileCommandContext& context) {
    const bool written = SaveWithDialog(context);
    // The chosen file now holds the table as it stands: nothing is unsaved.
    if (written) MatchFile(context, context.document.currentFileName);
    return written;
}

bool CheckUnsavedChanges(FileCommandContext& context) {
    if (context.document.modified != 1) return false;
    switch (context.messages.AskSaveChanges()) {
        case SaveChangesAnswer::No:
            return false;
        case SaveChangesAnswer::Yes:
            // Going on after a dismissed or failed save would lose the typing
            // the user just asked to keep.
            return !SaveWithDialog(context);
        case SaveChangesAnswer::Cancel:
            break;
    }
    return true;
}

bool SaveWithDialog(FileCommandContext& context) {
    const std::optional<QString> path = NonEmpty(context.dialogs.AskSavePath());
    if (!path || !WriteTable(context, *path)) return false;
    context.document.currentFileName = *path;
    return true;
}

void ExitProgram(FileCommandContext& context) {
    if (CheckUnsavedChanges(context)) return;
    if (context.closeMainWindow) context.closeMainWindow();
}

}  // namespace channel
