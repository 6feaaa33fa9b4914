#include <QFileInfo>

#include "app/core/SectionExport.h"
#include "app/core/ShellTexts.h"
#include "app/core/TableSetUp.h"
#include "app/document/Document.h"
#include "app/document/TableHistory.h"
#include "cad/CadExport.h"
#include "files/FileCommands.h"
#include "table/ElementsLayout.h"

// The document's file and CAD commands.

namespace channel {

FileCommandContext Document::Files(DocumentState& state) {
    return FileCommandContext{*table_,
                              state,
                              seams_.fileDialogs,
                              seams_.fileMessages,
                              [this] { ResetToStartupTable(*table_); },
                              [this] { emit closeApproved(); }};
}

// The file commands work on a copy of the document's state; what they leave
// in it becomes the document's, whether they finish or stop early.
template <typename Command>
auto Document::RunFileCommand(Command command) {
    struct Adopt {
        Document* document = nullptr;
        DocumentState state;
        ~Adopt() { document->SetState(state); }
    } adopt{this, state_};
    FileCommandContext context = Files(adopt.state);
    return command(context);
}

void Document::NewTable() {
    // A replaced table starts a new history, saved as it stands.
    if (RunFileCommand(channel::NewTable)) history_->Clear();
}

void Document::OpenTable() {
    if (!RunFileCommand(channel::OpenTable)) return;
    history_->Clear();
    ReportOverLongCells();
}

void Document::OpenFile(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (!RunFileCommand(
            [&](FileCommandContext& files) { return channel::OpenFile(files, absolute); }))
        return;
    history_->Clear();
    ReportOverLongCells();
}

void Document::ReportOverLongCells() {
    // A status line, not a list: a few cells are named, the rest counted.
    constexpr int kNamed = 3;
    QStringList named;
    int count = 0;
    const ElementsTable& table = *table_;
    for (int row = 0; row < table.RowCount(); ++row) {
        for (int column = 0; column < table.ColumnCount(); ++column) {
            if (table.GetCellText(row, column).size() <= ElementsTable::kMaxCellCharacters)
                continue;
            if (++count <= kNamed) {
                // The layout's heading: the cell's own could be the long text.
                named.append(shell_text::kCellName.arg(row).arg(
                    QString::fromUtf8(elements_table::kHeadings[column])));
            }
        }
    }
    if (count == 0) return;
    QString cells = named.join(QStringLiteral("、"));
    if (count > kNamed) cells += shell_text::kMoreCells.arg(count);
    ShowStatus(shell_text::kLoadedTextsTooLong.arg(cells).arg(ElementsTable::kMaxCellCharacters));
}

bool Document::SaveTable() {
    const bool written = RunFileCommand(channel::SaveTable);
    if (written) history_->MarkSaved();
    return written;
}

void Document::SaveTableAs() {
    // Written: the current file holds this table, so undoing back to here
    // clears the mark again. Dismissed or failed: nothing changes.
    if (RunFileCommand(channel::SaveTableAs)) history_->MarkSaved();
}

void Document::Exit() {
    RunFileCommand(channel::ExitProgram);
}

bool Document::MayClose() {
    return !RunFileCommand(CheckUnsavedChanges);
}

CadExportSeams Document::CadSeams() {
    return CadExportSeams{seams_.askDxfPath, [this](const QString& text) { ShowStatus(text); }};
}

void Document::ExportTable() {
    CadExportSeams cad = CadSeams();
    seams_.exportTable(*table_, cad);
}

void Document::ExportSection() {
    const auto section = SectionToDraw(*table_, table_->CurrentRow());
    if (!section.ok()) {
        ShowStatus(section.reason());
        return;
    }
    CadExportSeams cad = CadSeams();
    seams_.exportSection(section.value(), cad);
}

}  // namespace channel
