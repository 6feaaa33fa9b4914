#include "app/core/ShellHandlers.h"

#include "app/core/ShellTexts.h"
#include "table/ElementsLayout.h"
#include "table/ElementsTable.h"

namespace channel {

namespace layout = elements_table;

void OnCurrentCellChanged(ShellContext& context) {
    ElementsTable& table = context.table;
    const int row = table.CurrentRow();
    if (row == -1) return;

    if (context.markedRow == 0) context.markedRow = row;
    table.SetCellText(context.markedRow, layout::kItemColumn, context.markedRow);
    table.SetCellText(row, layout::kItemColumn,
                      table.GetCellText(row, layout::kItemColumn) + shell_text::kRowMarker);
    context.markedRow = row;

    const auto missing = layout::FirstMissingInput(
        [&](int column) { return table.GetCellText(row, column).isEmpty(); });
    if (!missing) return;
    context.showStatus(QString::fromUtf8(missing->prompt));
    table.SetCurrentCell(row, missing->column);
}

void OnTableCharTyped(ShellContext& context, QChar) {
    context.modified = 1;
}

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

}  // namespace channel
