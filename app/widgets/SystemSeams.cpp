#include "app/widgets/SystemSeams.h"

#include <QDir>
#include <QFileDialog>

#include "app/music/AsyncTunePlayer.h"
#include "app/widgets/MainWindow.h"
#include "app/widgets/ReportWidgets.h"
#include "cad/CadExport.h"
#include "cad/CadMessages.h"
#include "files/widgets/QtFileDialogs.h"
#include "files/widgets/QtFileMessages.h"
#include "table/ElementsTable.h"
#include "table/clipboard/Clipboard.h"

namespace channel {

namespace {

// Asks where the DXF drawing goes, starting from the folder and name chosen
// last in this run.
std::function<std::optional<QString>()> MakeDxfPathDialog(QWidget* parent) {
    auto lastPath =
        std::make_shared<QString>(QDir::current().filePath(QStringLiteral("水利要素表.dxf")));
    return [parent, lastPath]() -> std::optional<QString> {
        QFileDialog dialog(parent);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setNameFilter(QString::fromUtf8(cad_messages::kDxfFileFilter));
        dialog.setDefaultSuffix(QStringLiteral("dxf"));
        dialog.selectFile(*lastPath);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        *lastPath = dialog.selectedFiles().first();
        return *lastPath;
    };
}

}  // namespace

void FillMissingSeams(MainWindowSeams& seams, QWidget* dialogParent, CadConnection& connection) {
    if (!seams.fileDialogs) seams.fileDialogs = std::make_unique<QtFileDialogs>(dialogParent);
    if (!seams.fileMessages) seams.fileMessages = std::make_unique<QtFileMessages>(dialogParent);
    if (!seams.clipboard) seams.clipboard = std::make_unique<SystemClipboard>();
    if (!seams.printing) seams.printing = LoadPrinting;
    if (!seams.printDialogs)
        seams.printDialogs = std::make_unique<DeferredPrintDialogs>(seams.printing, dialogParent);
    if (!seams.reportInfoDialog)
        seams.reportInfoDialog = std::make_unique<QtReportInfoDialog>(dialogParent);
    // The synthesizer and its SoundFont load on the player's own thread.
    if (!seams.tunePlayer)
        seams.tunePlayer = std::make_unique<AsyncTunePlayer>(MakePlatformTunePlayer);
    if (!seams.askDxfPath) seams.askDxfPath = MakeDxfPathDialog(dialogParent);
    if (!seams.exportTable) {
        seams.exportTable = [&connection](const ElementsTable& table, CadExportSeams& cad) {
            const CellTextSource cells = [&table](int row, int column) {
                return CellTexts{table.GetCellText(row, column), table.DisplayText(row, column)};
            };
            ExportTableToCad(connection, cells, cad);
        };
    }
    if (!seams.makeSectionDetails) seams.makeSectionDetails = LoadSectionDetailsWindow;
    if (!seams.exportSection) {
        seams.exportSection = [&connection](const SectionDimensions& section, CadExportSeams& cad) {
            ExportSectionToCad(connection, section, cad);
        };
    }
}

}  // namespace channel
