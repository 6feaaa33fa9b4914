#include <QFileInfo>

#include "app/core/SectionExport.h"
#include "app/core/TableSetUp.h"
#include "app/document/Document.h"
#include "app/document/TableHistory.h"
#include "cad/CadExport.h"
#include "files/FileCommands.h"

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
    if (RunFileCommand(channel::OpenTable)) history_->Clear();
}

void Document::OpenFile(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (RunFileCommand(
            [&](FileCommandContext& files) { return channel::OpenFile(files, absolute); }))
        history_->Clear();
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
