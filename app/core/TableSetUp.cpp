#include "app/core/TableSetUp.h"

#include "table/ElementsTable.h"
#include "table/StartupTableCells.h"

namespace channel {

namespace layout = elements_table;

void SetUpElementsTable(ElementsTable& table) {
    const QStringList cells = StartupTableCells();
    for (int index = 0; index < cells.size(); ++index) {
        if (!cells[index].isEmpty())
            table.SetCellText(index / layout::kColumns, index % layout::kColumns, cells[index]);
    }
    ApplyColumnFormats(table);
    // The discharge entered into a row is its design discharge: the
    // discharge-known calculation still aims at it after writing its
    // computed discharge into the cell.
    table.KeepEntriesOf(layout::kDischargeColumn);
    for (const layout::DivisionFormula& formula : layout::kDivisionFormulas)
        table.SetColumnFormula(formula.dividend, formula.divisor, ElementsTable::kDivision,
                               formula.quotient);
}

void ResetToStartupTable(ElementsTable& table) {
    table.ReplaceContents(layout::kRows, layout::kColumns, StartupTableCells());
}

}  // namespace channel
