#include "cad/CadExport.h"

#include <QDir>
#include <memory>

#include "cad/CadMessages.h"
#include "cad/DxfAutomationServer.h"
#include "cad/DxfFileWriter.h"
#include "cad/PlatformAutomation.h"
#include "cad/TableDrawing.h"

namespace {

QString Message(const char* utf8) {
    return QString::fromUtf8(utf8);
}

void ExportTableToDxf(CadConnection& connection, const CellTextSource& cells,
                      CadExportSeams& seams) {
    const std::optional<QString> path = seams.askDxfPath();
    if (!path) return;

    auto drawing = std::make_shared<DxfDrawing>();
    DxfAutomationServer server(drawing);
    if (DrawElementsTable(connection, server, DrawingCells(cells)) != DrawingOutcome::Drawn) {
        seams.showStatus(Message(cad_messages::kDxfNotWritten)
                             .arg(Message(cad_messages::kDxfDrawingIncomplete)));
        return;
    }
    if (const std::optional<QString> failure = SaveDxfDrawing(*drawing, *path)) {
        seams.showStatus(Message(cad_messages::kDxfNotWritten).arg(*failure));
        return;
    }
    seams.showStatus(Message(cad_messages::kSavedAsDxf).arg(QDir::toNativeSeparators(*path)));
}

}  // namespace

void ExportTableToCad(CadConnection& connection, const CellTextSource& cells,
                      CadExportSeams& seams) {
    const std::unique_ptr<Automation> autoCad = MakePlatformAutomation();
    ExportTableToCad(connection, cells, seams, autoCad.get());
}

void ExportTableToCad(CadConnection& connection, const CellTextSource& cells, CadExportSeams& seams,
                      Automation* autoCad) {
    if (autoCad != nullptr) {
        switch (DrawElementsTable(connection, *autoCad, DrawingCells(cells))) {
            case DrawingOutcome::Drawn:
                seams.showStatus(Message(cad_messages::kDrawnInAutoCad));
                return;
            case DrawingOutcome::Incomplete:
                seams.showStatus(Message(cad_messages::kAutoCadIncomplete));
                return;
            case DrawingOutcome::Unreachable:
                seams.showStatus(Message(cad_messages::kAutoCadUnreachable));
                break;
        }
    }
    ExportTableToDxf(connection, cells, seams);
}
