#pragma once

#include <QAbstractTableModel>
#include <QItemSelectionModel>
#include <QJsonObject>
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>
#include <vector>

namespace channel {

// The cells, shape, column formats, current cell and selection of a grid
// control. It holds no widget code: the view adapter (TableControl) shows it,
// and every handler can work on it directly in tests. The current cell and
// the selection live in one QItemSelectionModel, which the view uses as its
// own, so a move by the user or by a handler is the same move.
//
// Every cell stores text. Numbers written with SetCellText(float) are stored
// as the shortest text that reads back to exactly that float, so nothing is
// lost between a calculation, a save and an export. What the view displays is
// derived from that text and the column's kind and decimals (DisplayText).
//
// Texts are entries (typed, pasted, loaded); numbers written with
// SetCellText(float) are results. The last entry into the data cells of one
// configured column (KeepEntriesOf) is kept beside the cell, so a result
// written over it later does not lose it. Only another entry into that cell,
// or clearing it, replaces the kept entry.
class ElementsTable : public QAbstractTableModel {
    Q_OBJECT
  public:
    static constexpr int kNumericKind = 2;
    static constexpr int kDivision = 4;
    // Longest text typing or a paste puts into a cell. Far beyond any number
    // or note, and short enough that the table stays quick to show, save,
    // copy and undo. A loaded file may hold longer texts; they are kept whole.
    static constexpr qsizetype kMaxCellCharacters = 10000;
    // Longest beginning of a cell's text the view shows (and its tooltip):
    // laying out a text costs time in its length on every repaint. The cell
    // keeps its whole text.
    static constexpr qsizetype kMaxShownCharacters = 200;

    ElementsTable(int rows, int columns, int fixedRows, int fixedColumns,
                  QObject* parent = nullptr);

    // --- the control's operations -------------------------------------
    int CurrentRow() const;
    int CurrentColumn() const;
    QString GetCellText(int row, int column) const;
    void SetCellText(int row, int column, const QString& text);
    void SetCellText(int row, int column, const char* text) {
        SetCellText(row, column, QString::fromUtf8(text));
    }
    void SetCellText(int row, int column, int value);
    void SetCellText(int row, int column, float value);
    // Makes (row, column) current, and the selected cell, and raises
    // currentCellMoved. Setting the cell that is already current does not
    // raise it again, so a handler that calls SetCurrentCell settles. Fixed
    // cells never become current.
    void SetCurrentCell(int row, int column);
    void ClearCurrentCell();
    void SetColumnType(int column, int kind);
    void SetColumnDecimals(int column, int places);
    void SetColumnFormula(int left, int right, int op, int resultColumn);
    int SelectionFirstRow() const;
    int SelectionFirstColumn() const;
    int SelectionLastRow() const;
    int SelectionLastColumn() const;
    // The selection is the smallest rectangle around the selected cells;
    // with none selected it is the current cell.
    void SetSelection(int firstRow, int firstColumn, int lastRow, int lastColumn);
    void ClearSelection();
    // Empties every cell of the rectangle that lies inside the table and
    // returns how many cells actually changed.
    int ClearCells(int firstRow, int firstColumn, int lastRow, int lastColumn);

    // The current cell and selection, for the view to share.
    QItemSelectionModel& SelectionModel() { return *selection_; }

    // --- kept entries ---------------------------------------------------
    // Keeps the entries into `column` from now on (-1: none, the default);
    // every data cell's text there counts as entered.
    void KeepEntriesOf(int column);
    // The text last entered into the row's cell of the kept column, exactly
    // as entered; "" when there is none (never entered, or the cell cleared).
    QString KeptEntry(int row) const;
    // One text per row, as the element files keep it; empty when every
    // row's kept entry is simply its cell's text, which is what a file
    // without them gives back on loading.
    QStringList KeptEntriesForFile() const;

    // --- what rows and the file carry beside the cells -----------------
    // A row may carry an object that is no cell (a section design's inputs),
    // opaque to the table: it is part of snapshots, element files keep it,
    // and new contents (ReplaceContents) start without any.
    QJsonObject RowAttachment(int row) const;
    void SetRowAttachment(int row, const QJsonObject& attachment);
    // One object per row; empty when no row carries one.
    QList<QJsonObject> RowAttachmentsForFile() const;
    // What the loaded file held that this program does not read, written
    // back unchanged on saving; new contents start without it.
    const QJsonObject& FileExtras() const { return fileExtras_; }
    void SetFileExtras(const QJsonObject& extras) { fileExtras_ = extras; }

    // --- shape and formats ----------------------------------------------
    int RowCount() const { return rows_; }
    int ColumnCount() const { return columns_; }
    int FixedRows() const { return fixedRows_; }
    int FixedColumns() const { return fixedColumns_; }
    bool IsInside(int row, int column) const;
    bool IsFixed(int row, int column) const;
    int ColumnKind(int column) const;
    int ColumnDecimals(int column) const;  // -1: the control's default
    struct Formula {
        int left = 0;
        int right = 0;
        int op = 0;
        int result = 0;
    };
    const std::vector<Formula>& Formulas() const { return formulas_; }

    // The text the view shows for a cell: numeric columns with decimals show
    // the value rounded to that many places; other cells show their text.
    QString DisplayText(int row, int column) const;
    // What the view shows: DisplayText, or for a text longer than
    // kMaxShownCharacters its beginning followed by "…".
    QString ShownText(int row, int column) const;

    // The whole content, row-major, as the element files keep it.
    QStringList Cells() const { return cells_; }
    // Replaces shape and every cell at once (a loaded file). Formats are
    // kept where they still fit; the current cell and the selection are kept
    // when the shape is, and a new shape starts without them. Every text in
    // the kept column counts as entered, so it becomes the row's kept entry,
    // unless `keptEntries` (one text per row) says otherwise; a row whose
    // cell there is empty has none.
    void ReplaceContents(int rows, int columns, const QStringList& cells);
    void ReplaceContents(int rows, int columns, const QStringList& cells,
                         const QStringList& keptEntries);

    // Every cell, the rows' kept entries and the shape, for an undo
    // history to put back. Formats, current cell and selection are not part
    // of it.
    struct Snapshot {
        int rows = 0;
        int columns = 0;
        QStringList cells;
        QStringList keptEntries;
        QList<QJsonObject> rowAttachments;
        bool operator==(const Snapshot&) const = default;
    };
    Snapshot TakeSnapshot() const {
        return {rows_, columns_, cells_, keptEntries_, rowAttachments_};
    }
    void RestoreSnapshot(const Snapshot& snapshot);

    // --- QAbstractTableModel --------------------------------------------
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    // A column's header is its heading in the first fixed row, so that
    // assistive tools name the columns as the table shows them.
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

  signals:
    // The current cell moved to a cell (not to none).
    void currentCellMoved();

  private:
    int Index(int row, int column) const { return row * columns_ + column; }
    void WriteCell(int row, int column, const QString& text, bool entry);
    bool HoldsKeptEntry(int row, int column) const;
    void Notify(int firstRow, int firstColumn, int lastRow, int lastColumn);
    // In cell coordinates; an invalid rectangle when nothing is selected and
    // no cell is current.
    QRect SelectedRange() const;

    int rows_;
    int columns_;
    int fixedRows_;
    int fixedColumns_;
    QStringList cells_;
    int keptColumn_ = -1;
    // Per row; "" for none. Kept in step with cells_: a row whose cell in
    // the kept column is empty has no kept entry.
    QStringList keptEntries_;
    QList<QJsonObject> rowAttachments_;  // per row; an empty object for none
    QJsonObject fileExtras_;
    std::vector<int> columnKinds_;
    std::vector<int> columnDecimals_;
    std::vector<Formula> formulas_;
    QItemSelectionModel* selection_;
};

}  // namespace channel
