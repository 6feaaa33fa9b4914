#include "cad/CellTextSource.h"

#include <utility>

namespace channel {

TableCellSource DrawingCells(CellTextSource cells) {
    return [cells = std::move(cells)](int row, int column) {
        const CellTexts texts = cells(row, column);
        return TableCell{texts.text.toStdString(), texts.shown.toStdString()};
    };
}

}  // namespace channel
