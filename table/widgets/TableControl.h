#pragma once

#include <QTableView>

namespace channel {

class ElementsTable;

// The view adapter of the elements table. It shows an ElementsTable through
// the table's own selection model, so the view's current cell and selection
// are the table's, and raises the control's notifications:
//  - currentCellMoved comes from the model, for user moves as for others;
//  - cellEditFinished once per committed user edit, while the edited row is
//    still the current row;
//  - characterTyped for every character the user types, the one that opens
//    the editor included, and Backspace as character 8;
//  - rightButtonPressed over the cells, after a cell outside the selection
//    has been selected and made current.
// Program writes to the model never raise cellEditFinished. A click or a
// key that moves away from an open editor commits it first, so the edit
// finishes on its own row; if the edit's handler moves the current cell,
// that move wins over the click or key. The fixed cells never become
// current.
//
// The highlighted cell is always the cell that takes the next keystroke:
// when a handler moves the current cell during a click or a key (a prompt
// for a missing input), the highlight moves with it instead of staying where
// the click landed.
//
// A cell whose text does not fit on one line shows the whole text as its
// tooltip. Tab and Shift+Tab move the keyboard between the table and the
// window's other controls.
class TableControl : public QTableView {
    Q_OBJECT
  public:
    explicit TableControl(ElementsTable* table, QWidget* parent = nullptr);
    ElementsTable* Table() const { return table_; }

    // Sizes every row and column to the control's fixed geometry.
    void ApplyCellSize(int rowHeight, int columnWidth);

    // Commits an open cell editor as if the user had finished the edit, so a
    // command chosen from a menu sees what was typed.
    void CommitPendingEdit();

  signals:
    // A cell editor has opened; the table does not change until it closes.
    void editorOpened();
    void cellEditFinished();
    void characterTyped(QChar character);
    // The open editor's text was changed by the user in a way that is not a
    // typed character (Delete, cut, paste inside the editor).
    void editorTextEdited();
    // The open editor holds as many characters as a cell takes
    // (ElementsTable::kMaxCellCharacters) and the user typed or pasted more.
    void editorFull();
    void rightButtonPressed(int x, int y, int keyState);
    void copyRequested();
    void pasteRequested();
    void clearRequested();

  protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void commitData(QWidget* editor) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void WatchEditor(QWidget* editor);
    // Commits an open editor before an input that may move the current
    // cell. false: the edit's handler moved it, and the input is dropped.
    bool FinishEditBeforeMoving();
    // Runs a base-class input handler; if a handler moved the current cell
    // meanwhile, the selection becomes that cell alone.
    template <typename Handler>
    void KeepingHighlightOnCurrent(Handler handler);
    void SelectBeforeContextMenu(const QPoint& position);
    bool ShowToolTipIfClipped(const QPoint& position, const QPoint& globalPosition);

    ElementsTable* table_;
    bool committing_ = false;
};

}  // namespace channel
