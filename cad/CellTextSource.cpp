#include "cad/CellTextSource.h"

#include <utility>

#include "table/CellText.h"

namespace channel {

TableCellSource DrawingCells(CellTextSource cells) {
    return [cells = std::move(cells)](int row, int column) {
        const CellTexts texts = cells(row, column);
        // The drawing treats as a number exactly what the table reads as one.
        return TableCell{texts.text.toStdString(), texts.shown.toStdString(),
                         cell_text::Number(texts.text)};
    };
}

}  // namespace channel
