#include "table/clipboard/TableClipboard.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

#include "table/CellText.h"
#include "table/clipboard/HtmlTable.h"
#include "table/clipboard/TabularText.h"

namespace channel {

namespace {

// The shortest decimal that reads back to `value`, without an exponent
// where that stays short ("0.0005", not "5e-04"), which every spreadsheet
// takes for a number.
QString ShortestDecimal(float value) {
    const float magnitude = std::fabs(value);
    if (magnitude != 0 && (magnitude < 1e-6F || magnitude >= 1e15F))
        return cell_text::FromFloat(value);
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return QString::fromLatin1(buffer, static_cast<qsizetype>(result.ptr - buffer));
}

// A cell as the HTML table carries it: a number as the shortest decimal of
// its float, any other text (one beyond single precision too) as it is.
QString SpreadsheetValue(const QString& text) {
    const std::optional<double> number = cell_text::Number(text);
    if (!number) return text;
    const auto value = static_cast<float>(*number);
    return std::isfinite(value) ? ShortestDecimal(value) : text;
}

}  // namespace

void Copy(const ElementsTable& table, Clipboard& clipboard) {
    const int top = std::max(0, table.SelectionFirstRow());
    const int left = std::max(0, table.SelectionFirstColumn());
    const int bottom = std::min(table.RowCount() - 1, table.SelectionLastRow());
    const int right = std::min(table.ColumnCount() - 1, table.SelectionLastColumn());
    if (top > bottom || left > right) return;

    QList<QStringList> shown;
    QList<QStringList> values;
    for (int r = top; r <= bottom; ++r) {
        QStringList shownRow;
        QStringList valueRow;
        for (int c = left; c <= right; ++c) {
            shownRow.append(table.DisplayText(r, c));
            valueRow.append(SpreadsheetValue(table.GetCellText(r, c)));
        }
        shown.append(shownRow);
        values.append(valueRow);
    }
    clipboard.SetTextAndHtml(ToTabularText(shown), ToHtmlTable(values));
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
