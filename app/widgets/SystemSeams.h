#pragma once

class QWidget;

namespace channel {

struct MainWindowSeams;
struct CadConnection;

// Fills every seam the caller left empty with the system's own: Qt's file
// and print dialogs and message boxes, the system clipboard, the platform's
// tune player and the platform's CAD export through `connection`.
void FillMissingSeams(MainWindowSeams& seams, QWidget* dialogParent, CadConnection& connection);

}  // namespace channel
