#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

#include "files/DocumentState.h"
#include "hydraulics/ChannelElements.h"
#include "hydraulics/RowCalculation.h"
#include "table/ElementsTable.h"

class QUndoStack;

namespace channel {

class Clipboard;
class FileDialogs;
class FileMessages;
class TableHistory;
struct CadExportSeams;
struct FileCommandContext;
struct SectionAdoption;
struct SectionDimensions;

// What the document reaches outside the process. The window hands in the
// system's own; tests hand in doubles.
struct DocumentSeams {
    FileDialogs& fileDialogs;
    FileMessages& fileMessages;
    Clipboard& clipboard;
    std::function<std::optional<QString>()> askDxfPath;  // nullopt: cancelled
    // Draw the table, or one row's cross-section, into CAD.
    std::function<void(const ElementsTable&, CadExportSeams&)> exportTable;
    std::function<void(const SectionDimensions&, CadExportSeams&)> exportSection;
};

// The open elements table with everything that belongs to it: its undo
// history, whether it differs from its file and which file that is, the row
// marker, the calculation mode, the working record and the target discharge.
// Every command a menu, key or control runs is a member here, so a test runs
// it without a window; the window only forwards its controls' notifications
// and shows what the signals report.
//
// `modified` has one writer (SetState): typing, a paste or clear that
// changed cells, undo and redo mark the table, and the file commands set it
// from their outcome. A calculation alone does not mark it.
class Document : public QObject {
    Q_OBJECT
  public:
    explicit Document(DocumentSeams seams, QObject* parent = nullptr);
    ~Document() override;

    ElementsTable& Table() { return *table_; }
    const ElementsTable& Table() const { return *table_; }
    QUndoStack& History();
    bool Modified() const { return state_.modified == 1; }
    const QString& CurrentFileName() const { return state_.currentFileName; }
    int MarkedRow() const { return markedRow_; }
    void SetDepthKnownMode(bool depthKnown) { depthKnownMode_ = depthKnown; }
    bool DepthKnownMode() const { return depthKnownMode_; }
    // Who and what the calculation report is for, kept in the element file.
    const ReportInfo& ReportInformation() const { return state_.reportInfo; }
    // Marks the table modified when `info` differs from what it had. Not an
    // undo step: the history holds the table's cells only, so undo never
    // clears the mark again before the next 保存.
    void SetReportInfo(const ReportInfo& info);

    // --- the table control's notifications ----------------------------
    // Moves the row marker to the current row and prompts for its first
    // missing input, making that cell current.
    void OnCurrentCellChanged();
    void OnEditorOpened();
    // A character typed, or the open editor's text changed otherwise.
    void OnTyping();
    // The open editor holds ElementsTable::kMaxCellCharacters and a character
    // more was typed or pasted: the status line says why it did not go in.
    void OnCellTextFull();
    // A committed edit: the current row is calculated, and the edit and its
    // calculation are one undo step.
    void OnEditFinished();

    // --- commands -------------------------------------------------------
    void CalculateCurrentRow();
    // The same, as an undo step of its own (a click on the mode).
    void CalculateCurrentRowAsStep();
    void RecalculateAllRows();
    void Copy();
    // The clipboard's cells at the selection; the rows whose cells changed
    // are calculated again.
    void Paste();
    void Clear();
    void Undo();
    void Redo();
    void NewTable();
    void OpenTable();
    // Loads `path` as 打开 does, without the dialog (a file named on the
    // command line).
    void OpenFile(const QString& path);
    bool SaveTable();
    void SaveTableAs();
    // 退出: asks about unsaved changes, then raises closeApproved.
    void Exit();
    // Whether the window may close: nothing to save, saved, or not wanted.
    bool MayClose();
    void ExportTable();
    // The current row's cross-section, or on the status line why not.
    void ExportSection();
    // 断面设计 → 采用: writes the design into its row and calculates the row
    // for its discharge, as one undo step.
    void AdoptSectionDesign(const SectionAdoption& adoption);

  signals:
    // Replaces the status line's whole text.
    void statusChanged(const QString& text);
    // The file name or the unsaved-changes mark changed.
    void captionChanged();
    // 退出 found nothing in the way of closing.
    void closeApproved();

  private:
    void ShowStatus(const QString& text) { emit statusChanged(text); }
    CalculationContext Calculation();
    FileCommandContext Files(DocumentState& state);
    template <typename Command>
    auto RunFileCommand(Command command);
    void SetState(const DocumentState& state);
    void SetModified(bool modified);
    // After a load: names the cells whose text is longer than typing and
    // pasting allow, if any.
    void ReportOverLongCells();
    CadExportSeams CadSeams();

    DocumentSeams seams_;
    ElementsTable* table_;
    TableHistory* history_;
    DocumentState state_;
    int markedRow_ = 0;
    bool depthKnownMode_ = false;
    ChannelElements workingRecord_{};
    float targetDischarge_ = 0;
    // The table as it was when the open cell editor appeared.
    std::optional<ElementsTable::Snapshot> beforeEdit_;
};

}  // namespace channel
