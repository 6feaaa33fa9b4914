#pragma once

#include <QString>
#include <QStringList>

#include "table/ElementsLayout.h"
#include "table/ElementsTable.h"
#include "table/StartupTableCells.h"

namespace channel {

// The elements table as the main window sets it up: its shape, the headings
// and item numbers, every column's kind and decimals, and the design
// discharges kept. The window's formulas are left out; neither the clipboard
// nor the printout reads them.
class AppTable : public ElementsTable {
  public:
    AppTable()
        : ElementsTable(elements_table::kRows, elements_table::kColumns, elements_table::kFixedRows,
                        elements_table::kFixedColumns) {
        ReplaceContents(elements_table::kRows, elements_table::kColumns, StartupTableCells());
        ApplyColumnFormats(*this);
        KeepEntriesOf(elements_table::kDischargeColumn);
    }

    // The stored texts of `row` from column `from` to column `to`.
    QStringList Row(int row, int from, int to) const {
        QStringList texts;
        for (int column = from; column <= to; ++column) texts << GetCellText(row, column);
        return texts;
    }
};

}  // namespace channel
