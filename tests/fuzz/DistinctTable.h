#pragma once

#include <QString>
#include <QStringList>

#include "table/ElementsLayout.h"
#include "table/ElementsTable.h"

namespace channel {

// An elements table of the program's shape whose every cell holds a text of
// its own, `prefix` and the cell's index, so that a change to any cell shows
// against `cells`.
struct DistinctTable {
    explicit DistinctTable(const QString& prefix) {
        for (int i = 0; i < elements_table::kRows * elements_table::kColumns; ++i)
            cells.append(prefix + QString::number(i));
        table.ReplaceContents(elements_table::kRows, elements_table::kColumns, cells);
    }

    QStringList cells;  // in row order, as ElementsTable::Cells gives them
    ElementsTable table{elements_table::kRows, elements_table::kColumns, elements_table::kFixedRows,
                        elements_table::kFixedColumns};
};

}  // namespace channel
