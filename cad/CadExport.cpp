#include "cad/CadExport.h"

#include <QDir>
#include <memory>

#include "cad/CadMessages.h"
#include "cad/DxfAutomationServer.h"
#include "cad/DxfFileWriter.h"
#include "cad/PlatformAutomation.h"
#include "cad/TableDrawing.h"

namespace channel {

namespace {

QString Message(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// One drawing through one backend, and what the status line says of it.
using Drawing = std::function<DrawingOutcome(CadConnection&, Automation&)>;
struct DrawingMessages {
    const char* drawnInAutoCad;
    const char* autoCadIncomplete;
    const char* autoCadUnreachable;
    const char* savedAsDxf;
};

constexpr DrawingMessages kTableMessages{
    cad_messages::kDrawnInAutoCad, cad_messages::kAutoCadIncomplete,
    cad_messages::kAutoCadUnreachable, cad_messages::kSavedAsDxf};
constexpr DrawingMessages kSectionMessages{
    cad_messages::kSectionDrawnInAutoCad, cad_messages::kSectionAutoCadIncomplete,
    cad_messages::kSectionAutoCadUnreachable, cad_messages::kSectionSavedAsDxf};

void ExportToDxf(CadConnection& connection, const Drawing& draw, const DrawingMessages& messages,
                 CadExportSeams& seams) {
    const std::optional<QString> path = seams.askDxfPath();
    if (!path) return;

    auto drawing = std::make_shared<DxfDrawing>();
    DxfAutomationServer server(drawing);
    if (draw(connection, server) != DrawingOutcome::Drawn) {
        seams.showStatus(Message(cad_messages::kDxfNotWritten)
                             .arg(Message(cad_messages::kDxfDrawingIncomplete)));
        return;
    }
    if (const Outcome<QString> saved = SaveDxfDrawing(*drawing, *path); !saved.ok()) {
        seams.showStatus(Message(cad_messages::kDxfNotWritten).arg(saved.reason()));
        return;
    }
    seams.showStatus(Message(messages.savedAsDxf).arg(QDir::toNativeSeparators(*path)));
}

// Into AutoCAD when it can be reached, and otherwise into a DXF file.
void Export(CadConnection& connection, const Drawing& draw, const DrawingMessages& messages,
            CadExportSeams& seams, Automation* autoCad) {
    if (autoCad != nullptr) {
        switch (draw(connection, *autoCad)) {
            case DrawingOutcome::Drawn:
                seams.showStatus(Message(messages.drawnInAutoCad));
                return;
            case DrawingOutcome::Incomplete:
                seams.showStatus(Message(messages.autoCadIncomplete));
                return;
            case DrawingOutcome::Unreachable:
                seams.showStatus(Message(messages.autoCadUnreachable));
                break;
        }
    }
    ExportToDxf(connection, draw, messages, seams);
}

}  // namespace

void ExportTableToCad(CadConnection& connection, const CellTextSource& cells,
                      CadExportSeams& seams) {
    const std::unique_ptr<Automation> autoCad = MakePlatformAutomation();
    ExportTableToCad(connection, cells, seams, autoCad.get());
}

void ExportTableToCad(CadConnection& connection, const CellTextSource& cells, CadExportSeams& seams,
                      Automation* autoCad) {
    const TableCellSource drawingCells = DrawingCells(cells);
    const Drawing draw = [&drawingCells](CadConnection& c, Automation& a) {
        return DrawElementsTable(c, a, drawingCells);
    };
    Export(connection, draw, kTableMessages, seams, autoCad);
}

void ExportSectionToCad(CadConnection& connection, const SectionDimensions& section,
                        CadExportSeams& seams) {
    const std::unique_ptr<Automation> autoCad = MakePlatformAutomation();
    ExportSectionToCad(connection, section, seams, autoCad.get());
}

void ExportSectionToCad(CadConnection& connection, const SectionDimensions& section,
                        CadExportSeams& seams, Automation* autoCad) {
    if (const Outcome<std::string> drawable = SectionDrawable(section); !drawable.ok()) {
        seams.showStatus(QString::fromStdString(drawable.reason()));
        return;
    }
    const Drawing draw = [&section](CadConnection& c, Automation& a) {
        return DrawSection(c, a, section);
    };
    Export(connection, draw, kSectionMessages, seams, autoCad);
}

}  // namespace channel
