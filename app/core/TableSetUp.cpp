#include "app/core/TableSetUp.h"

#include "app/core/ShellTexts.h"
#include "table/ElementsTable.h"

void SetUpElementsTable(ElementsTable& table) {
    table.SetCellText(0, 0, shell_text::kItemHeading);
    for (int r = 1; r <= 10; ++r) table.SetCellText(r, 0, r);
    for (int k = 1; k <= 11; ++k) table.SetColumnType(k, ElementsTable::kNumericKind);
    for (int k : {1, 2, 3, 6, 7, 8, 9, 10, 11}) table.SetColumnDecimals(k, 2);
    table.SetColumnFormula(6, 7, ElementsTable::kDivision, 8);
    table.SetColumnFormula(10, 6, ElementsTable::kDivision, 11);
    for (int k = 1; k <= 11; ++k) table.SetCellText(0, k, shell_text::kColumnHeadings[k - 1]);
}

void ResetToStartupTable(ElementsTable& table) {
    QStringList cells;
    cells.fill(QString(), elements_table::kRows * elements_table::kColumns);
    cells[0] = shell_text::kItemHeading;
    for (int k = 1; k <= 11; ++k) cells[k] = shell_text::kColumnHeadings[k - 1];
    for (int r = 1; r <= 10; ++r) cells[r * elements_table::kColumns] = QString::number(r);
    table.ReplaceContents(elements_table::kRows, elements_table::kColumns, cells);
}
