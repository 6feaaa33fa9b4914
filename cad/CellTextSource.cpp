#include "cad/CellTextSource.h"

#include <utility>

#include "table/CellText.h"

namespace channel {

std::optional<double> CellNumber(const QString& text) {
    double value = 0;
    return cell_text::ParsePlainNumber(text, &value) ? std::optional<double>(value) : std::nullopt;
}

TableCellSource DrawingCells(CellTextSource cells) {
    return [cells = std::move(cells)](int row, int column) {
        const CellTexts texts = cells(row, column);
        return TableCell{texts.text.toStdString(), texts.shown.toStdString(),
                         CellNumber(texts.text)};
    };
}

}  // namespace channel
