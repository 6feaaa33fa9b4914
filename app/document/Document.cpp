#include "app/document/Document.h"

#include "app/core/SectionDesignForm.h"
#include "app/core/ShellTexts.h"
#include "app/core/TableSetUp.h"
#include "app/document/TableHistory.h"
#include "hydraulics/RowCalculation.h"
#include "hydraulics/RowRecalculation.h"
#include "table/ElementsLayout.h"
#include "table/clipboard/TableClipboard.h"

namespace channel {

namespace layout = elements_table;

Document::Document(DocumentSeams seams, QObject* parent)
    : QObject(parent),
      seams_(std::move(seams)),
      table_(new ElementsTable(layout::kRows, layout::kColumns, layout::kFixedRows,
                               layout::kFixedColumns, this)),
      history_(new TableHistory(*table_, this)) {
    SetUpElementsTable(*table_);
    connect(table_, &ElementsTable::currentCellMoved, this, &Document::OnCurrentCellChanged);
}

Document::~Document() {
    // The stack clears itself as it goes; nothing may answer that.
    table_->disconnect(this);
}

QUndoStack& Document::History() {
    return history_->Stack();
}

CalculationContext Document::Calculation() {
    return CalculationContext{*table_, workingRecord_, targetDischarge_,
                              [this](const QString& text) { ShowStatus(text); }};
}

void Document::SetState(const DocumentState& state) {
    if (state.modified == state_.modified && state.currentFileName == state_.currentFileName &&
        state.reportInfo == state_.reportInfo)
        return;
    state_ = state;
    emit captionChanged();
}

void Document::SetModified(bool modified) {
    DocumentState state = state_;
    state.modified = modified ? 1 : 0;
    SetState(state);
}

void Document::SetReportInfo(const ReportInfo& info) {
    if (info == state_.reportInfo) return;
    DocumentState state = state_;
    state.reportInfo = info;
    state.modified = 1;
    SetState(state);
    // No table in the history now matches the file without this change.
    history_->ForgetSaved();
}

void Document::OnCurrentCellChanged() {
    ElementsTable& table = *table_;
    const int row = table.CurrentRow();
    if (row == -1) return;

    if (markedRow_ == 0) markedRow_ = row;
    if (markedRow_ == row) {
        // The marked row's number with the marker, written once: taking the
        // marker off first would redraw the cell twice for every move
        // within the row.
        table.SetCellText(row, layout::kItemColumn, QString::number(row) + shell_text::kRowMarker);
    } else {
        table.SetCellText(markedRow_, layout::kItemColumn, markedRow_);
        table.SetCellText(row, layout::kItemColumn,
                          table.GetCellText(row, layout::kItemColumn) + shell_text::kRowMarker);
    }
    markedRow_ = row;

    const auto missing = layout::FirstMissingInput(
        [&](int column) { return table.GetCellText(row, column).isEmpty(); });
    if (!missing) return;
    ShowStatus(QString::fromUtf8(missing->prompt));
    table.SetCurrentCell(row, missing->column);
}

void Document::OnEditorOpened() {
    beforeEdit_ = table_->TakeSnapshot();
}

void Document::OnTyping() {
    SetModified(true);
}

void Document::OnCellTextFull() {
    ShowStatus(shell_text::kTypedTextTooLong.arg(ElementsTable::kMaxCellCharacters));
}

void Document::OnEditFinished() {
    CalculateCurrentRow();
    if (beforeEdit_) history_->Record(QStringLiteral("编辑"), *beforeEdit_);
    beforeEdit_.reset();
}

void Document::CalculateCurrentRow() {
    CalculationContext context = Calculation();
    channel::CalculateCurrentRow(context, depthKnownMode_);
}

void Document::CalculateCurrentRowAsStep() {
    const TableHistory::Step step(*history_, QStringLiteral("计算"));
    CalculateCurrentRow();
}

void Document::RecalculateAllRows() {
    const TableHistory::Step step(*history_, QStringLiteral("全部重算"));
    CalculationContext context = Calculation();
    channel::RecalculateAllRows(context, depthKnownMode_);
}

void Document::Copy() {
    channel::Copy(*table_, seams_.clipboard);
}

void Document::Paste() {
    const TableHistory::Step step(*history_, QStringLiteral("粘贴"));
    const QStringList before = table_->Cells();
    const int changed = channel::Paste(*table_, seams_.clipboard);
    if (changed == kPasteTooLong) {
        ShowStatus(shell_text::kPastedTextTooLong.arg(ElementsTable::kMaxCellCharacters));
        return;
    }
    // A paste that changes no cell is no change.
    if (changed == 0) return;
    SetModified(true);
    CalculationContext context = Calculation();
    RecalculateChangedRows(context, before, depthKnownMode_);
}

void Document::Clear() {
    const TableHistory::Step step(*history_, QStringLiteral("清除"));
    ElementsTable& table = *table_;
    if (table.ClearCells(table.SelectionFirstRow(), table.SelectionFirstColumn(),
                         table.SelectionLastRow(), table.SelectionLastColumn()) > 0)
        SetModified(true);
}

void Document::AdoptSectionDesign(const SectionAdoption& adoption) {
    const TableHistory::Step step(*history_, QStringLiteral("采用断面设计"));
    ElementsTable& table = *table_;
    const int row = adoption.row;
    for (const SectionAdoption::Cell& cell : adoption.inputs)
        table.SetCellText(row, cell.column, cell.text);
    table.SetCellText(row, adoption.column, adoption.text);
    if (!adoption.discharge.isEmpty())
        table.SetCellText(row, layout::kDischargeColumn, adoption.discharge);
    table.SetRowAttachment(row, adoption.design);
    SetModified(true);
    // The discharge-known calculation, whichever mode is chosen: the design
    // is for its discharge.
    CalculationContext context = Calculation();
    CalculateRow(context, row, false);
}

void Document::Undo() {
    if (!history_->CanUndo()) return;
    history_->Undo();
    // Back at the table 保存 last wrote, nothing is unsaved.
    SetModified(history_->AwayFromSaved());
}

void Document::Redo() {
    if (!history_->CanRedo()) return;
    history_->Redo();
    SetModified(history_->AwayFromSaved());
}

}  // namespace channel
