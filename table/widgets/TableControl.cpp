#include "table/widgets/TableControl.h"

#include <QHeaderView>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QToolTip>

#include "table/ElementsTable.h"
#include "table/widgets/NumericEditor.h"

namespace channel {

namespace {

// The keys that move the current cell when the open editor does not take
// them.
bool MovesTheCursor(int key) {
    switch (key) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
            return true;
        default:
            return false;
    }
}

// An open editor that holds all it takes drops the next characters
// silently; the user is told why.
bool IsFullEditor(const QObject* watched) {
    const auto* line = qobject_cast<const QLineEdit*>(watched);
    return line && !line->hasSelectedText() && line->text().size() >= line->maxLength();
}

}  // namespace

TableControl::TableControl(ElementsTable* table, QWidget* parent)
    : QTableView(parent), table_(table) {
    // Hidden before the model comes: a visible header measures every
    // heading (in bold, for a highlighted section), which loads a second
    // CJK font just to size headers nobody sees.
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setModel(table_);
    QItemSelectionModel* own = selectionModel();
    setSelectionModel(&table_->SelectionModel());
    delete own;
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::AnyKeyPressed |
                    QAbstractItemView::EditKeyPressed);
    // Tab and Shift+Tab leave the table for the buttons and come back; in an
    // open editor Tab still finishes the edit and moves to the next cell.
    setTabKeyNavigation(false);
    auto* delegate = new TableCellDelegate(this);
    setItemDelegate(delegate);
    connect(delegate, &TableCellDelegate::editorCreated, this, &TableControl::WatchEditor);
}

void TableControl::ApplyCellSize(int rowHeight, int columnWidth) {
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(rowHeight);
    horizontalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setDefaultSectionSize(columnWidth);
    for (int r = 0; r < table_->RowCount(); ++r) setRowHeight(r, rowHeight);
    for (int c = 0; c < table_->ColumnCount(); ++c) setColumnWidth(c, columnWidth);
}

QModelIndex TableControl::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    const QModelIndex next = QTableView::moveCursor(action, modifiers);
    return next.isValid() && table_->IsFixed(next.row(), next.column()) ? currentIndex() : next;
}

void TableControl::commitData(QWidget* editor) {
    committing_ = true;
    QTableView::commitData(editor);
}

void TableControl::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    const bool finished = committing_ && hint != QAbstractItemDelegate::RevertModelCache;
    committing_ = false;
    if (!finished) {
        QTableView::closeEditor(editor, hint);
        return;
    }
    // The editor goes first, so a handler that moves the current cell cannot
    // commit it a second time; the move that Tab asks for comes after the
    // handler, so the handler still sees the edited row as current.
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    const int row = table_->CurrentRow();
    const int column = table_->CurrentColumn();
    emit cellEditFinished();
    const bool handlerMoved = table_->CurrentRow() != row || table_->CurrentColumn() != column;
    if (handlerMoved || (hint != QAbstractItemDelegate::EditNextItem &&
                         hint != QAbstractItemDelegate::EditPreviousItem))
        return;
    const QModelIndex next = moveCursor(
        hint == QAbstractItemDelegate::EditNextItem ? MoveNext : MovePrevious, Qt::NoModifier);
    if (next.isValid())
        selectionModel()->setCurrentIndex(next, QItemSelectionModel::ClearAndSelect);
}

void TableControl::CommitPendingEdit() {
    if (state() != EditingState) return;
    QWidget* editor = indexWidget(currentIndex());
    if (!editor) return;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

bool TableControl::FinishEditBeforeMoving() {
    if (state() != EditingState) return true;
    const QModelIndex edited = currentIndex();
    CommitPendingEdit();
    return currentIndex() == edited;
}

template <typename Handler>
void TableControl::KeepingHighlightOnCurrent(Handler handler) {
    // The base handlers select the cell under the mouse (or the range a key
    // extends) after they have moved the current index, so a handler's move
    // of the current cell would leave the highlight behind on the old cell.
    handler();
    const QModelIndex current = currentIndex();
    if (current.isValid() && !selectionModel()->isSelected(current))
        selectionModel()->select(current, QItemSelectionModel::ClearAndSelect);
}

void TableControl::SelectBeforeContextMenu(const QPoint& position) {
    const QModelIndex index = indexAt(position);
    if (!index.isValid() || !(index.flags() & Qt::ItemIsSelectable)) return;
    // A right click inside the selection acts on the whole selection.
    if (selectionModel()->isSelected(index)) return;
    KeepingHighlightOnCurrent(
        [&] { selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect); });
}

void TableControl::WatchEditor(QWidget* editor) {
    emit editorOpened();
    editor->installEventFilter(this);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        connect(line, &QLineEdit::textEdited, this, &TableControl::editorTextEdited);
        // An edit that filled the editor may have been cut to fit (a paste).
        connect(line, &QLineEdit::textEdited, this, [this, line] {
            if (line->text().size() >= line->maxLength()) emit editorFull();
        });
    }
}

bool TableControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched != viewport() && watched != this) {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            const bool shortcut = key->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
            if (!shortcut && key->key() == Qt::Key_Backspace) emit characterTyped(QChar(8));
            if (!shortcut)
                for (QChar c : key->text())
                    if (c.isPrint()) emit characterTyped(c);
            if (!shortcut && !key->text().isEmpty() && key->text().front().isPrint() &&
                IsFullEditor(watched))
                emit editorFull();
        } else if (event->type() == QEvent::InputMethod) {
            const QString committed = static_cast<QInputMethodEvent*>(event)->commitString();
            for (QChar c : committed) emit characterTyped(c);
            if (!committed.isEmpty() && IsFullEditor(watched)) emit editorFull();
        }
    }
    return QTableView::eventFilter(watched, event);
}

void TableControl::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        const QPoint p = event->position().toPoint();
        SelectBeforeContextMenu(p);
        emit rightButtonPressed(p.x(), p.y(), static_cast<int>(event->modifiers()));
        return;
    }
    const QModelIndex pressed = indexAt(event->position().toPoint());
    if (pressed.isValid() && table_->IsFixed(pressed.row(), pressed.column())) {
        event->accept();
        return;
    }
    if (pressed != currentIndex() && !FinishEditBeforeMoving()) {
        event->accept();
        return;
    }
    KeepingHighlightOnCurrent([&] { QTableView::mousePressEvent(event); });
}

void TableControl::mouseMoveEvent(QMouseEvent* event) {
    KeepingHighlightOnCurrent([&] { QTableView::mouseMoveEvent(event); });
}

void TableControl::mouseReleaseEvent(QMouseEvent* event) {
    KeepingHighlightOnCurrent([&] { QTableView::mouseReleaseEvent(event); });
}

void TableControl::mouseDoubleClickEvent(QMouseEvent* event) {
    // When the press before it was redirected to a missing input, the editor
    // opens there rather than on the cell the prompt led away from.
    if (indexAt(event->position().toPoint()) != currentIndex()) {
        event->accept();
        return;
    }
    KeepingHighlightOnCurrent([&] { QTableView::mouseDoubleClickEvent(event); });
}

void TableControl::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        emit copyRequested();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        emit pasteRequested();
        return;
    }
    if (event->key() == Qt::Key_Delete && state() != EditingState) {
        emit clearRequested();
        return;
    }
    if (MovesTheCursor(event->key()) && !FinishEditBeforeMoving()) return;
    KeepingHighlightOnCurrent([&] { QTableView::keyPressEvent(event); });
}

bool TableControl::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        if (!ShowToolTipIfClipped(help->pos(), help->globalPos())) {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    return QTableView::viewportEvent(event);
}

bool TableControl::ShowToolTipIfClipped(const QPoint& position, const QPoint& globalPosition) {
    const QModelIndex index = indexAt(position);
    if (!index.isValid()) return false;
    const QString text = index.data(Qt::DisplayRole).toString();
    if (text.isEmpty()) return false;
    // The delegate's size hint is the room the text needs with the margins
    // it is painted with; anything wider is elided in the cell. The cell has
    // room for one line, so the text is measured unwrapped: wrapped, any
    // text with blanks or Chinese characters would seem to fit.
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.features &= ~QStyleOptionViewItem::WrapText;
    option.rect = visualRect(index);
    if (itemDelegateForIndex(index)->sizeHint(option, index).width() <= option.rect.width())
        return false;
    QToolTip::showText(globalPosition, text, viewport(), option.rect);
    return true;
}

}  // namespace channel
