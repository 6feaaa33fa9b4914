#include "cad/CadExport.h"

#include <QDir>
#include <memory>
#include <optional>

#include "cad/CadMessages.h"
#include "cad/DrawingAutomation.h"
#include "cad/DxfFileWriter.h"
#include "cad/DxfRendering.h"
#include "cad/PlatformAutomation.h"
#include "cad/TableDrawing.h"

namespace channel {

namespace {

QString Message(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// What the status line says of one kind of drawing.
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

// The file is written from the description itself, with its layers; the CAD
// connection is AutoCAD's alone.
void ExportToDxf(const Drawing& drawing, const DrawingMessages& messages, CadExportSeams& seams) {
    const std::optional<QString> path = seams.askDxfPath();
    if (!path) return;
    if (const Outcome<QString> saved = SaveDxfDrawing(DxfDrawingOf(drawing), *path); !saved.ok()) {
        seams.showStatus(Message(cad_messages::kDxfNotWritten).arg(saved.reason()));
        return;
    }
    seams.showStatus(Message(messages.savedAsDxf).arg(QDir::toNativeSeparators(*path)));
}

// Into AutoCAD when it can be reached, and otherwise into a DXF file.
void Export(CadConnection& connection, const Drawing& drawing, const DrawingMessages& messages,
            CadExportSeams& seams, Automation* autoCad) {
    if (autoCad != nullptr) {
        switch (RenderThroughAutomation(connection, *autoCad, drawing)) {
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
    ExportToDxf(drawing, messages, seams);
}

}  // namespace

void ExportTableToCad(CadConnection& connection, const CellTextSource& cells,
                      CadExportSeams& seams) {
    const std::unique_ptr<Automation> autoCad = MakePlatformAutomation();
    ExportTableToCad(connection, cells, seams, autoCad.get());
}

void ExportTableToCad(CadConnection& connection, const CellTextSource& cells, CadExportSeams& seams,
                      Automation* autoCad) {
    Export(connection, DescribeElementsTable(DrawingCells(cells)), kTableMessages, seams, autoCad);
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
    Export(connection, DescribeSection(section), kSectionMessages, seams, autoCad);
}

}  // namespace channel
