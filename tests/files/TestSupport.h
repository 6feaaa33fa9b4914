#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include "files/FileCommands.h"
#include "support/FileBytes.h"
#include "support/FileDoubles.h"
#include "support/QStringPrinter.h"
#include "table/ElementsLayout.h"
#include "table/ElementsTable.h"

namespace channel {

namespace files_test {

using elements_table::kColumns;
using elements_table::kFixedColumns;
using elements_table::kFixedRows;
using elements_table::kRows;

// The table as start-up leaves it: headings in the heading row, item numbers
// 1..10 in the item column, everything else empty. Written out here rather
// than read from the layout, so that the file tests notice a changed heading.
inline QStringList StartupCells() {
    const QStringList headings = {"项目", "底宽", "边坡",     "水深",     "糙率", "纵坡1\\I",
                                  "面积", "湿周", "水力半径", "谢才系数", "流量", "流速"};
    QStringList cells(qsizetype{kRows} * kColumns);
    for (int column = 0; column < kColumns; ++column)
        cells[elements_table::kHeadingRow * kColumns + column] = headings[column];
    for (int row = elements_table::kFirstSectionRow; row <= elements_table::kLastSectionRow; ++row)
        cells[row * kColumns + elements_table::kItemColumn] = QString::number(row);
    return cells;
}

// Every cell different and tagged, so a stray partial load is visible.
inline QStringList TaggedCells(const QString& tag) {
    QStringList cells;
    for (int row = 0; row < kRows; ++row)
        for (int column = 0; column < kColumns; ++column)
            cells << QStringLiteral("%1 %2,%3").arg(tag).arg(row).arg(column);
    return cells;
}

inline void Fill(ElementsTable& table, const QStringList& cells) {
    table.ReplaceContents(kRows, kColumns, cells);
}

// The file commands wired to scripted dialogs and message boxes, with the
// shell's two callbacks counted.
struct CommandHarness {
    ElementsTable table{kRows, kColumns, kFixedRows, kFixedColumns};
    DocumentState document;
    ScriptedFileDialogs dialogs;
    ScriptedFileMessages messages;
    int closes = 0;
    int resets = 0;
    FileCommandContext context{table,
                               document,
                               dialogs,
                               messages,
                               [this] {
                                   ++resets;
                                   Fill(table, StartupCells());
                               },
                               [this] { ++closes; }};

    // Every scripted answer was asked for.
    void ExpectScriptsUsed() const { channel::ExpectScriptsUsed(dialogs, messages); }
};

}  // namespace files_test

}  // namespace channel
