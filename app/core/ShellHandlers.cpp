#include "app/core/ShellHandlers.h"

#include "app/core/ShellTexts.h"
#include "table/ElementsTable.h"

void OnCurrentCellChanged(ShellContext& context) {
    ElementsTable& table = context.table;
    const int row = table.CurrentRow();
    if (row == -1) return;

    if (context.markedRow == 0) context.markedRow = row;
    table.SetCellText(context.markedRow, 0, context.markedRow);
    table.SetCellText(row, 0, table.GetCellText(row, 0) + shell_text::kRowMarker);
    context.markedRow = row;

    for (const auto& prompt : shell_text::kInputPrompts) {
        if (!table.GetCellText(row, prompt.column).isEmpty()) continue;
        context.showStatus(prompt.message);
        table.SetCurrentCell(row, prompt.column);
        return;
    }
}

void OnTableCharTyped(ShellContext& context, QChar) { context.modified = 1; }

TrayMenu TrayMenuForAction(int actionCode) {
    switch (actionCode) {
        case 1:
            return TrayMenu::About;
        case 3:
            return TrayMenu::File;
        default:
            return TrayMenu::None;
    }
}
