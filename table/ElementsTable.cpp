#include "table/ElementsTable.h"

#include <algorithm>

#include "table/CellText.h"

namespace channel {

ElementsTable::ElementsTable(int rows, int columns, int fixedRows, int fixedColumns,
                             QObject* parent)
    : QAbstractTableModel(parent),
      rows_(rows),
      columns_(columns),
      fixedRows_(fixedRows),
      fixedColumns_(fixedColumns),
      columnKinds_(static_cast<size_t>(columns), 0),
      columnDecimals_(static_cast<size_t>(columns), -1),
      selection_(new QItemSelectionModel(this, this)) {
    cells_.fill(QString(), qsizetype{rows_} * columns_);
    keptEntries_.fill(QString(), rows_);
    rowAttachments_.fill(QJsonObject(), rows_);
    connect(selection_, &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid()) emit currentCellMoved();
            });
}

int ElementsTable::CurrentRow() const {
    const QModelIndex current = selection_->currentIndex();
    return current.isValid() ? current.row() : -1;
}

int ElementsTable::CurrentColumn() const {
    const QModelIndex current = selection_->currentIndex();
    return current.isValid() ? current.column() : -1;
}

bool ElementsTable::IsInside(int row, int column) const {
    return row >= 0 && row < rows_ && column >= 0 && column < columns_;
}

bool ElementsTable::IsFixed(int row, int column) const {
    return row < fixedRows_ || column < fixedColumns_;
}

QString ElementsTable::GetCellText(int row, int column) const {
    return IsInside(row, column) ? cells_[Index(row, column)] : QString();
}

void ElementsTable::SetCellText(int row, int column, const QString& text) {
    WriteCell(row, column, text, true);
}

bool ElementsTable::HoldsKeptEntry(int row, int column) const {
    return column == keptColumn_ && IsInside(row, column) && !IsFixed(row, column);
}

void ElementsTable::WriteCell(int row, int column, const QString& text, bool entry) {
    if (!IsInside(row, column)) return;
    QString& cell = cells_[Index(row, column)];
    // Re-committing the text a cell already holds (an editor opened and
    // closed) is no new entry: the kept entry stays.
    if (cell == text) return;
    cell = text;
    if (HoldsKeptEntry(row, column) && (entry || text.isEmpty())) keptEntries_[row] = text;
    Notify(row, column, row, column);
}

void ElementsTable::SetCellText(int row, int column, int value) {
    SetCellText(row, column, QString::number(value));
}

void ElementsTable::SetCellText(int row, int column, float value) {
    WriteCell(row, column, cell_text::FromFloat(value), false);
}

void ElementsTable::KeepEntriesOf(int column) {
    keptColumn_ = column;
    for (int row = 0; row < rows_; ++row)
        keptEntries_[row] = HoldsKeptEntry(row, column) ? GetCellText(row, column) : QString();
}

QString ElementsTable::KeptEntry(int row) const {
    return row >= 0 && row < rows_ ? keptEntries_[row] : QString();
}

QStringList ElementsTable::KeptEntriesForFile() const {
    for (int row = 0; row < rows_; ++row) {
        if (HoldsKeptEntry(row, keptColumn_) && keptEntries_[row] != GetCellText(row, keptColumn_))
            return keptEntries_;
    }
    return {};
}

void ElementsTable::SetCurrentCell(int row, int column) {
    if (!IsInside(row, column) || IsFixed(row, column)) return;
    const QModelIndex target = index(row, column);
    if (selection_->currentIndex() == target) return;
    selection_->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect);
}

void ElementsTable::ClearCurrentCell() {
    selection_->clearCurrentIndex();
}

void ElementsTable::SetColumnType(int column, int kind) {
    if (column < 0 || column >= columns_) return;
    columnKinds_[static_cast<size_t>(column)] = kind;
    Notify(0, column, rows_ - 1, column);
}

void ElementsTable::SetColumnDecimals(int column, int places) {
    if (column < 0 || column >= columns_) return;
    columnDecimals_[static_cast<size_t>(column)] = places;
    Notify(0, column, rows_ - 1, column);
}

void ElementsTable::SetColumnFormula(int left, int right, int op, int resultColumn) {
    // Kept for the record only: every result cell is written by the program,
    // so the table never recomputes a formula column on its own.
    formulas_.push_back({left, right, op, resultColumn});
}

int ElementsTable::ColumnKind(int column) const {
    return column >= 0 && column < columns_ ? columnKinds_[static_cast<size_t>(column)] : 0;
}

int ElementsTable::ColumnDecimals(int column) const {
    return column >= 0 && column < columns_ ? columnDecimals_[static_cast<size_t>(column)] : -1;
}

QRect ElementsTable::SelectedRange() const {
    // The ranges as selected, fixed cells included, rather than the cells
    // that can be selected in them.
    QRect range;
    for (const QItemSelectionRange& part : selection_->selection())
        range |= QRect(QPoint(part.left(), part.top()), QPoint(part.right(), part.bottom()));
    if (range.isValid()) return range;
    const QModelIndex current = selection_->currentIndex();
    return current.isValid() ? QRect(current.column(), current.row(), 1, 1) : QRect();
}

int ElementsTable::SelectionFirstRow() const {
    const QRect range = SelectedRange();
    return range.isValid() ? range.top() : -1;
}

int ElementsTable::SelectionFirstColumn() const {
    const QRect range = SelectedRange();
    return range.isValid() ? range.left() : -1;
}

int ElementsTable::SelectionLastRow() const {
    const QRect range = SelectedRange();
    return range.isValid() ? range.bottom() : -1;
}

int ElementsTable::SelectionLastColumn() const {
    const QRect range = SelectedRange();
    return range.isValid() ? range.right() : -1;
}

void ElementsTable::SetSelection(int firstRow, int firstColumn, int lastRow, int lastColumn) {
    // What lies outside the table is not part of it.
    const QRect inside =
        QRect(QPoint(std::min(firstColumn, lastColumn), std::min(firstRow, lastRow)),
              QPoint(std::max(firstColumn, lastColumn), std::max(firstRow, lastRow)))
            .intersected(QRect(0, 0, columns_, rows_));
    const QModelIndex topLeft = index(inside.top(), inside.left());
    const QModelIndex bottomRight = index(inside.bottom(), inside.right());
    if (!topLeft.isValid() || !bottomRight.isValid()) return;
    selection_->select(QItemSelection(topLeft, bottomRight), QItemSelectionModel::ClearAndSelect);
}

void ElementsTable::ClearSelection() {
    selection_->clearSelection();
}

int ElementsTable::ClearCells(int firstRow, int firstColumn, int lastRow, int lastColumn) {
    const int top = std::max(0, std::min(firstRow, lastRow));
    const int bottom = std::min(rows_ - 1, std::max(firstRow, lastRow));
    const int left = std::max(0, std::min(firstColumn, lastColumn));
    const int right = std::min(columns_ - 1, std::max(firstColumn, lastColumn));
    int changed = 0;
    for (int r = top; r <= bottom; ++r) {
        for (int c = left; c <= right; ++c) {
            if (HoldsKeptEntry(r, c)) keptEntries_[r].clear();
            QString& cell = cells_[Index(r, c)];
            if (cell.isEmpty()) continue;
            cell.clear();
            ++changed;
        }
    }
    if (changed > 0) Notify(top, left, bottom, right);
    return changed;
}

QString ElementsTable::DisplayText(int row, int column) const {
    QString text = GetCellText(row, column);
    if (ColumnKind(column) != kNumericKind) return text;
    const int decimals = ColumnDecimals(column);
    if (decimals < 0) {
        const QString marker = cell_text::NonFiniteMarker(text);
        return marker.isEmpty() ? text : marker;
    }
    return cell_text::Rounded(text, decimals);
}

QString ElementsTable::ShownText(int row, int column) const {
    if (!IsInside(row, column)) return {};
    const QString& text = cells_[Index(row, column)];
    // Such a text is shown as it stands, even one that reads as a number:
    // reading it for DisplayText's rounding would cost time in its length.
    if (text.size() <= kMaxShownCharacters) return DisplayText(row, column);
    qsizetype kept = kMaxShownCharacters;
    if (text[kept - 1].isHighSurrogate()) --kept;
    return text.first(kept) + QChar(0x2026);
}

void ElementsTable::ReplaceContents(int rows, int columns, const QStringList& cells) {
    ReplaceContents(rows, columns, cells, {});
}

void ElementsTable::ReplaceContents(int rows, int columns, const QStringList& cells,
                                    const QStringList& keptEntries) {
    if (rows <= 0 || columns <= 0 || cells.size() != static_cast<qsizetype>(rows) * columns) return;
    const bool entriesGiven = keptEntries.size() == rows;
    // The same shape is new texts in the same cells: the current cell and
    // the selection stay. A new shape is a new model, with neither.
    const bool sameShape = rows == rows_ && columns == columns_;
    if (!sameShape) beginResetModel();
    rows_ = rows;
    columns_ = columns;
    cells_ = cells;
    keptEntries_.fill(QString(), rows_);
    rowAttachments_.fill(QJsonObject(), rows_);
    fileExtras_ = QJsonObject();
    for (int row = 0; row < rows_; ++row) {
        if (!HoldsKeptEntry(row, keptColumn_)) continue;
        const QString& cell = cells_[Index(row, keptColumn_)];
        if (!cell.isEmpty()) keptEntries_[row] = entriesGiven ? keptEntries[row] : cell;
    }
    columnKinds_.resize(static_cast<size_t>(columns), 0);
    columnDecimals_.resize(static_cast<size_t>(columns), -1);
    if (sameShape) {
        Notify(0, 0, rows_ - 1, columns_ - 1);
    } else {
        endResetModel();
    }
}

QJsonObject ElementsTable::RowAttachment(int row) const {
    return row >= 0 && row < rows_ ? rowAttachments_[row] : QJsonObject();
}

void ElementsTable::SetRowAttachment(int row, const QJsonObject& attachment) {
    if (row < 0 || row >= rows_ || rowAttachments_[row] == attachment) return;
    rowAttachments_[row] = attachment;
    // Whoever shows the row's details hears of it as of a change of its cells.
    Notify(row, 0, row, columns_ - 1);
}

QList<QJsonObject> ElementsTable::RowAttachmentsForFile() const {
    const bool any = std::any_of(rowAttachments_.begin(), rowAttachments_.end(),
                                 [](const QJsonObject& object) { return !object.isEmpty(); });
    return any ? rowAttachments_ : QList<QJsonObject>();
}

void ElementsTable::RestoreSnapshot(const Snapshot& snapshot) {
    if (snapshot.rows != rows_ || snapshot.columns != columns_) {
        ReplaceContents(snapshot.rows, snapshot.columns, snapshot.cells, snapshot.keptEntries);
        if (snapshot.rowAttachments.size() == rows_) rowAttachments_ = snapshot.rowAttachments;
        return;
    }
    if (snapshot.cells.size() != cells_.size()) return;
    if (snapshot.keptEntries.size() == keptEntries_.size()) keptEntries_ = snapshot.keptEntries;
    if (snapshot.rowAttachments.size() == rowAttachments_.size() &&
        snapshot.rowAttachments != rowAttachments_) {
        rowAttachments_ = snapshot.rowAttachments;
        if (snapshot.cells == cells_) Notify(0, 0, rows_ - 1, columns_ - 1);
    }
    if (snapshot.cells == cells_) return;
    cells_ = snapshot.cells;
    Notify(0, 0, rows_ - 1, columns_ - 1);
}

void ElementsTable::Notify(int firstRow, int firstColumn, int lastRow, int lastColumn) {
    emit dataChanged(index(firstRow, firstColumn), index(lastRow, lastColumn),
                     {Qt::DisplayRole, Qt::EditRole});
}

int ElementsTable::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int ElementsTable::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_;
}

QVariant ElementsTable::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !IsInside(index.row(), index.column())) return {};
    switch (role) {
        case Qt::DisplayRole:
            return ShownText(index.row(), index.column());
        case Qt::EditRole:
            return GetCellText(index.row(), index.column());
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::AlignCenter);
        default:
            return {};
    }
}

bool ElementsTable::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || IsFixed(index.row(), index.column()))
        return false;
    SetCellText(index.row(), index.column(), value.toString());
    return true;
}

QVariant ElementsTable::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && fixedRows_ > 0 &&
        IsInside(0, section))
        return GetCellText(0, section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags ElementsTable::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    if (IsFixed(index.row(), index.column())) return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

}  // namespace channel
