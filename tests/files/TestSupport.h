#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include "files/FileCommands.h"
#include "support/FileBytes.h"
#include "support/FileDoubles.h"
#include "support/QStringPrinter.h"
#include "table/ElementsTable.h"

namespace channel {

namespace files_test {

inline constexpr int kRows = 11;
inline constexpr int kColumns = 12;

// The table as start-up leaves it: headings in row 0, item numbers 1..10 in
// column 0, everything else empty.
inline QStringList StartupCells() {
    const QStringList headings = {"项目", "底宽", "边坡",     "水深",     "糙率", "纵坡1\\I",
                                  "面积", "湿周", "水力半径", "谢才系数", "流量", "流速"};
    QStringList cells(kRows * kColumns);
    for (int column = 0; column < kColumns; ++column) cells[column] = headings[column];
    for (int row = 1; row < kRows; ++row) cells[row * kColumns] = QString::number(row);
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
    ElementsTable table{kRows, kColumns, 1, 1};
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
