#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "files/DocumentState.h"
#include "table/ElementsTable.h"

namespace channel {

// The open and save dialogs of the main window. The window layer provides
// QFileDialog-based ones; tests script the answers.
class FileDialogs {
  public:
    virtual ~FileDialogs() = default;
    // 通用对话框1. nullopt: the user did not confirm.
    virtual std::optional<QString> AskOpenPath() = 0;
    // 通用对话框2. nullopt: the user did not confirm.
    virtual std::optional<QString> AskSavePath() = 0;
    // The calculation report's file, PDF or ODT, starting at `suggested`.
    // nullopt: the user did not confirm.
    virtual std::optional<QString> AskReportPath(const QString& suggested) = 0;
};

enum class SaveChangesAnswer { Yes, No, Cancel };

// The message boxes of the file commands.
class FileMessages {
  public:
    virtual ~FileMessages() = default;
    // "文件已经被修改，是否保存？", caption "询问", Yes / No / Cancel.
    virtual SaveChangesAnswer AskSaveChanges() = 0;
    // Tells the user that `path` could not be read or written, and why.
    virtual void ShowFileError(const QString& path, const QString& reason) = 0;
};

struct FileCommandContext {
    ElementsTable& table;
    DocumentState& document;
    FileDialogs& dialogs;
    FileMessages& messages;
    // Puts the table back the way start-up leaves it (headings, item numbers).
    std::function<void()> resetToStartupTable;
    // Closes the main window without raising its close query again.
    std::function<void()> closeMainWindow;
};

// The template that 新建 loads, a bare name resolved against the working
// directory, or the installed data folder when it is not there.
inline constexpr char kTemplateFileName[] = "normal";

// 文件 → 新建: after the unsaved-changes question, the template (or the
// start-up table when there is none); forgets the current file name.
// true: the table was replaced.
bool NewTable(FileCommandContext& context);
// 文件 → 打开: after the unsaved-changes question, loads a chosen file.
// true: the table was replaced.
bool OpenTable(FileCommandContext& context);
// Loads `path` as 打开 loads a chosen file, without asking anything first; a
// refused file is reported with its reason. true: the table was replaced.
bool OpenFile(FileCommandContext& context, const QString& path);
// 文件 → 保存: writes to the current file, asking for a name only when
// there is none. true: written, and `modified` cleared; false: nothing was
// written (dismissed or failed) and `modified` is as it was.
bool SaveTable(FileCommandContext& context);
// 文件 → 另存为: writes to a chosen file. true: written, the chosen file is
// now the current one and `modified` is cleared, as after 保存; false:
// nothing was written (dismissed or failed) and the state is as it was.
bool SaveTableAs(FileCommandContext& context);
// Asks whether to save typed changes. true: stop what was about to happen;
// false: go on (nothing to save, saved, or the user chose not to save).
bool CheckUnsavedChanges(FileCommandContext& context);
// Asks for a file name and writes the table there. true: written.
bool SaveWithDialog(FileCommandContext& context);
// 文件 → 退出: closes the main window unless the question stops it.
void ExitProgram(FileCommandContext& context);

}  // namespace channel
