#pragma once

#include <QMainWindow>
#include <QSystemTrayIcon>
#include <functional>
#include <memory>
#include <optional>

#include "app/core/EditHandlers.h"
#include "app/core/ShellHandlers.h"
#include "app/music/TunePlayer.h"
#include "files/FileCommands.h"
#include "table/ElementsTable.h"
#include "table/clipboard/Clipboard.h"
#include "table/print/PrintDialogs.h"

class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;

namespace channel {

class AboutWindow;
class BackgroundMusic;
class ElementsTable;
class InstructionsWindow;
class SectionDetailsWindow;
class TableControl;
class TableHistory;
struct ProgramState;
struct CadExportSeams;
struct SectionDimensions;
struct CalculationContext;

// Everything the main window reaches outside the process: dialogs, message
// boxes, the clipboard, the audio device and the CAD target. The real ones
// are made by MakeSystemSeams; tests hand in doubles.
struct MainWindowSeams {
    std::unique_ptr<FileDialogs> fileDialogs;
    std::unique_ptr<FileMessages> fileMessages;
    std::unique_ptr<Clipboard> clipboard;
    std::unique_ptr<PrintDialogs> printDialogs;
    std::unique_ptr<TunePlayer> tunePlayer;
    std::function<std::optional<QString>()> askDxfPath;
    // Runs the CAD export; the default draws through the platform's backend.
    std::function<void(ProgramState&, ElementsTable&, CadExportSeams&)> exportTable;
    // Draws one row's cross-section the same way.
    std::function<void(ProgramState&, const SectionDimensions&, CadExportSeams&)> exportSection;
};

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    // Missing seams are filled with the system's own.
    explicit MainWindow(ProgramState& state, MainWindowSeams seams = {}, QWidget* parent = nullptr);
    ~MainWindow() override;

    ElementsTable& Table() { return *table_; }
    TableControl& TableView() { return *tableView_; }
    QString StatusText() const;
    BackgroundMusic& Music() { return *music_; }
    QMenu* FileMenu() const { return fileMenu_; }
    QMenu* EditMenu() const { return editMenu_; }
    QMenu* ToolsMenu() const { return toolsMenu_; }
    QMenu* AboutMenu() const { return aboutMenu_; }
    // The menu that popped up last (tray icon, table right button).
    QMenu* LastPopup() const { return lastPopup_; }

    // Commands, as the menus and buttons run them.
    void NewTable();
    void OpenTable();
    void SaveTable();
    void SaveTableAs();
    void PrintPreview();
    void PrintTable();
    void ExitProgram();
    void CopyCells();
    void PasteCells();
    void ClearCells();
    void Undo();
    void Redo();
    void MusicOff();
    void MusicOn();
    AboutWindow* OpenAbout();
    InstructionsWindow* OpenInstructions();
    // Opens the one section-details window beside this one, or raises it.
    void ShowSectionDetails();
    SectionDetailsWindow* SectionDetails() const { return sectionDetails_; }
    void ExportToCad();
    // 工具 → 断面图转入cad: the current row's cross-section, or why not.
    void ExportSectionToCad();
    void CalculateCurrentRow();
    void RecalculateAllRows();
    void OnTrayIconEvent(int actionCode);
    void OnTableRightButtonDown(int x, int y, int keyState);

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void SetUpMainWindow();
    void BuildControls();
    void BuildMenus();
    void BuildTrayIcon();
    void ShowStatus(const QString& text);
    // The caption names the current file and marks unsaved changes; it is
    // refreshed after everything that may change either.
    void RefreshCaption();
    void AfterUndoOrRedo();
    void PopUp(QMenu* menu, const QPoint& globalPosition);
    CadExportSeams CadSeams();
    ShellContext Shell();
    CalculationContext Calculation();
    EditContext Edits();
    bool DepthKnownMode() const;
    FileCommandContext Files();
    template <typename Command>
    auto RunFileCommand(Command command);

    ProgramState& state_;
    MainWindowSeams seams_;
    ElementsTable* table_;
    TableHistory* history_ = nullptr;
    // The table as it was when the open cell editor appeared.
    std::optional<ElementsTable::Snapshot> beforeEdit_;
    int tableResets_ = 0;  // whole-table replacements: a loaded file
    TableControl* tableView_ = nullptr;
    QPushButton* cadButton_ = nullptr;
    QPushButton* instructionsButton_ = nullptr;
    QRadioButton* depthKnownButton_ = nullptr;
    QRadioButton* dischargeKnownButton_ = nullptr;
    QLineEdit* statusLine_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QMenu* editMenu_ = nullptr;
    QMenu* toolsMenu_ = nullptr;
    QMenu* aboutMenu_ = nullptr;
    QMenu* lastPopup_ = nullptr;
    QSystemTrayIcon* trayIcon_ = nullptr;
    SectionDetailsWindow* sectionDetails_ = nullptr;
    std::unique_ptr<BackgroundMusic> music_;
    bool closeApproved_ = false;
    bool firstFrameShown_ = false;
};

}  // namespace channel
