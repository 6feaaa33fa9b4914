#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "cad/Automation.h"
#include "cad/CadConnection.h"
#include "cad/CellTextSource.h"
#include "cad/SectionDrawing.h"

namespace channel {

// What the export needs from the window: the save dialog and the status line.
struct CadExportSeams {
    std::function<std::optional<QString>()> askDxfPath;  // save dialog; nullopt = cancelled
    std::function<void(const QString&)> showStatus;      // replaces the status line text
};

// The click on 按钮1: draws the elements table into the active drawing of a
// running or newly started AutoCAD where this platform has one, and otherwise
// into a DXF file the user names. The status line tells where the drawing
// went or why it could not be made. The table is only read.
void ExportTableToCad(CadConnection& connection, const CellTextSource& cells,
                      CadExportSeams& seams);

// The same with the AutoCAD backend given: nullptr means no AutoCAD can be
// reached and the table goes straight to a DXF file.
void ExportTableToCad(CadConnection& connection, const CellTextSource& cells, CadExportSeams& seams,
                      Automation* autoCad);

// 工具 → 断面图转入cad: draws one row's cross-section the same way, into
// AutoCAD or a DXF file. A section that cannot be drawn draws nothing, asks
// for no file, and the status line says why.
void ExportSectionToCad(CadConnection& connection, const SectionDimensions& section,
                        CadExportSeams& seams);
void ExportSectionToCad(CadConnection& connection, const SectionDimensions& section,
                        CadExportSeams& seams, Automation* autoCad);

}  // namespace channel
