#pragma once

class QWidget;

namespace channel {

struct MainWindowSeams;

// Fills every seam the caller left empty with the system's own: Qt's file
// and print dialogs and message boxes, the system clipboard, the platform's
// tune player and the platform's CAD export.
void FillMissingSeams(MainWindowSeams& seams, QWidget* dialogParent);

}  // namespace channel
