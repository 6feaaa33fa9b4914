#include "cad/CellTextSource.h"

#include <utility>

namespace channel {

namespace {

// toStdString() writes an unpaired surrogate (from an escape in a file) as
// '?', which would then be drawn as a question mark; the DXF encoder and the
// drawing promise U+FFFD for it.
std::string Utf8(QString text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
        } else if (text[i].isSurrogate()) {
            text[i] = QChar(QChar::ReplacementCharacter);
        }
    }
    return text.toStdString();
}

}  // namespace

TableCellSource DrawingCells(CellTextSource cells) {
    return [cells = std::move(cells)](int row, int column) {
        const CellTexts texts = cells(row, column);
        return TableCell{Utf8(texts.text), Utf8(texts.shown)};
    };
}

}  // namespace channel
