#pragma once

#include "hydraulics/RowCalculation.h"
#include "table/ElementsTable.h"
#include "table/clipboard/Clipboard.h"

namespace channel {

// What the edit commands need of the main window, so they run the same in a
// test as behind the menu, the keys and the cell editor. `modified` is the
// document's mark of changes not yet saved.
struct EditContext {
    ElementsTable& table;
    Clipboard& clipboard;
    int& modified;
    CalculationContext calculation;
};

// The open cell editor's text changed: the table now differs from the file.
void OnCellEditorTextEdited(EditContext& context);

// 编辑 → 粘贴: the clipboard's cells at the selection, then the rows whose
// cells changed are calculated again in the given mode. A paste that changes
// no cell is no change.
void PasteIntoTable(EditContext& context, bool depthKnownMode);

// 编辑 → 清除: empties the selected cells. Emptying cells that were empty is
// no change.
void ClearSelectedCells(EditContext& context);

// After an undo or a redo: the table differs from the file unless the step
// led back to the table as 保存 last wrote it (`awayFromSaved` false).
void OnUndoOrRedo(EditContext& context, bool awayFromSaved);

}  // namespace channel
