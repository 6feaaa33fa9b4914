#include "app/core/EditHandlers.h"

#include "hydraulics/RowRecalculation.h"
#include "table/clipboard/TableClipboard.h"

namespace channel {

void OnCellEditorTextEdited(EditContext& context) {
    context.modified = 1;
}

void PasteIntoTable(EditContext& context, bool depthKnownMode) {
    const QStringList before = context.table.Cells();
    if (Paste(context.table, context.clipboard) == 0) return;
    context.modified = 1;
    RecalculateChangedRows(context.calculation, before, depthKnownMode);
}

void ClearSelectedCells(EditContext& context) {
    ElementsTable& table = context.table;
    if (table.ClearCells(table.SelectionFirstRow(), table.SelectionFirstColumn(),
                         table.SelectionLastRow(), table.SelectionLastColumn()) > 0)
        context.modified = 1;
}

void OnUndoOrRedo(EditContext& context, bool awayFromSaved) {
    context.modified = awayFromSaved ? 1 : 0;
}

}  // namespace channel
