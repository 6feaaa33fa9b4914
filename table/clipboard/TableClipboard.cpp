#include "table/clipboard/TableClipboard.h"

#include <algorithm>

#include "table/clipboard/TabularText.h"

namespace channel {

void Copy(const ElementsTable& table, Clipboard& clipboard) {
    const int top = std::max(0, table.SelectionFirstRow());
    const int left = std::max(0, table.SelectionFirstColumn());
    const int bottom = std::min(table.RowCount() - 1, table.SelectionLastRow());
    const int right = std::min(table.ColumnCount() - 1, table.SelectionLastColumn());
    if (top > bottom || left > right) return;

    QList<QStringList> rows;
    for (int r = top; r <= bottom; ++r) {
        QStringList row;
        for (int c = left; c <= right; ++c) row.append(table.GetCellText(r, c));
        rows.append(row);
    }
    clipboard.SetText(ToTabularText(rows));
}

int Paste(ElementsTable& table, Clipboard& clipboard) {
    const int top = table.SelectionFirstRow();
    const int left = table.SelectionFirstColumn();
    if (!table.IsInside(top, left)) return 0;

    const QString text = clipboard.Text();
    const QList<QStringList> rows = ParseTabularText(text);
    // Cells shorter than the whole text cannot be too long; the check then
    // costs nothing.
    if (text.size() > ElementsTable::kMaxCellCharacters) {
        for (const QStringList& cells : rows) {
            for (const QString& cell : cells)
                if (cell.size() > ElementsTable::kMaxCellCharacters) return kPasteTooLong;
        }
    }
    int changed = 0;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const int r = top + static_cast<int>(i);
        if (r >= table.RowCount()) break;
        const QStringList& cells = rows[i];
        for (qsizetype j = 0; j < cells.size(); ++j) {
            const int c = left + static_cast<int>(j);
            if (c >= table.ColumnCount()) break;
            if (table.IsFixed(r, c) || table.GetCellText(r, c) == cells[j]) continue;
            table.SetCellText(r, c, cells[j]);
            ++changed;
        }
    }
    return changed;
}

}  // namespace channel
