#pragma once

#include <QString>
#include <functional>

namespace channel {

class ElementsTable;

// What the table's handlers need of the main window, so they run the same
// in a test as behind the real controls.
struct ShellContext {
    ElementsTable& table;
    int& markedRow;
    int& modified;
    std::function<void(const QString&)> showStatus;
};

// Moves the row marker to the current row and prompts for the row's first
// missing input, making that cell current.
void OnCurrentCellChanged(ShellContext& context);

// A character typed into the table; the character itself is not touched.
void OnTableCharTyped(ShellContext& context, QChar character);

// Which menu a notification-area action pops up.
enum class TrayMenu { None, About, File };
TrayMenu TrayMenuForAction(int actionCode);

}  // namespace channel
