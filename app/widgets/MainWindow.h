#pragma once

#include <QMainWindow>
#include <QSystemTrayIcon>
#include <functional>
#include <memory>
#include <optional>

#include "app/document/Document.h"
#include "app/music/BackgroundMusic.h"
#include "app/music/TunePlayer.h"
#include "app/report/ReportCommands.h"
#include "app/widgets/PrintingModule.h"
#include "app/widgets/SectionDetailsModule.h"
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
class InstructionsWindow;
class SectionDesignWindow;
class TableControl;
struct ProgramState;
struct CadExportSeams;
struct SectionDimensions;

// Everything the main window reaches outside the process: dialogs, message
// boxes, the clipboard, the audio device and the CAD target. The real ones
// are made by FillMissingSeams; tests hand in doubles.
struct MainWindowSeams {
    std::unique_ptr<FileDialogs> fileDialogs;
    std::unique_ptr<FileMessages> fileMessages;
    std::unique_ptr<Clipboard> clipboard;
    std::unique_ptr<PrintDialogs> printDialogs;
    std::unique_ptr<ReportInfoDialog> reportInfoDialog;
    std::unique_ptr<TunePlayer> tunePlayer;
    std::function<std::optional<QString>()> askDxfPath;
    // Runs the CAD export; the default draws through the platform's backend.
    std::function<void(const ElementsTable&, CadExportSeams&)> exportTable;
    // Draws one row's cross-section the same way.
    std::function<void(const SectionDimensions&, CadExportSeams&)> exportSection;
    // Makes the section-details window; the default opens its module.
    MakeSectionDetailsWindow makeSectionDetails;
    // The printing functions; the default opens their module at the first
    // print or preview.
    PrintingSource printing;
};

// The controls, menus and tray icon of the program, wired to the document
// that holds the table and runs every command.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    // Missing seams are filled with the system's own.
    explicit MainWindow(ProgramState& state, MainWindowSeams seams = {}, QWidget* parent = nullptr);
    ~MainWindow() override;

    Document& Doc() { return *document_; }
    ReportCommands& Reports() { return *reports_; }
    ElementsTable& Table() { return document_->Table(); }
    TableControl& TableView() { return *tableView_; }
    QString StatusText() const;
    BackgroundMusic& Music() { return *music_; }
    QMenu* FileMenu() const { return fileMenu_; }
    QMenu* EditMenu() const { return editMenu_; }
    QMenu* ToolsMenu() const { return toolsMenu_; }
    QMenu* AboutMenu() const { return aboutMenu_; }
    // The menu that popped up last (tray icon, table right button).
    QMenu* LastPopup() const { return lastPopup_; }

    // Commands, as the menus and buttons run them. Each first commits an
    // open cell edit, so it sees what was typed.
    void NewTable() { Run(&Document::NewTable); }
    void OpenTable() { Run(&Document::OpenTable); }
    void SaveTable() { Run(&Document::SaveTable); }
    void SaveTableAs() { Run(&Document::SaveTableAs); }
    void ExitProgram() { Run(&Document::Exit); }
    void CopyCells() { Run(&Document::Copy); }
    void PasteCells() { Run(&Document::Paste); }
    void ClearCells() { Run(&Document::Clear); }
    void MusicOff() { music_->MusicOff(); }
    void MusicOn() { music_->MusicOn(); }
    AboutWindow* OpenAbout();
    InstructionsWindow* OpenInstructions();
    // Opens the one section-details window beside this one, or raises it.
    void ShowSectionDetails();
    // Makes the section-details window hidden and ready to show within a
    // frame; the program does this a moment after its first frame.
    void PrepareSectionDetails();
    // The section-details window once F4 or the preparation has made it (a
    // SectionDetailsWindow).
    QWidget* SectionDetails() const { return sectionDetails_; }
    // Opens the one section-design window on the current row, or raises it
    // and reads the current row again.
    void ShowSectionDesign();
    SectionDesignWindow* SectionDesign() const { return sectionDesign_; }
    void OnTrayIconEvent(int actionCode);

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildControls();
    void ConnectControls();
    void BuildMenus();
    void ShowStatus(const QString& text);
    // The caption names the current file and marks unsaved changes.
    void RefreshCaption();
    void PopUp(QMenu* menu, const QPoint& globalPosition);
    // Runs the document command after the open cell edit is committed.
    template <typename Result>
    void Run(Result (Document::*command)()) {
        CommitPendingEdit();
        (document_->*command)();
    }
    // The same, for a menu item or a button.
    template <typename Result>
    std::function<void()> Committed(Result (Document::*command)()) {
        return [this, command] { Run(command); };
    }
    // A report command, after the open cell edit is committed.
    std::function<void()> Reported(void (ReportCommands::*command)()) {
        return [this, command] {
            CommitPendingEdit();
            (reports_.get()->*command)();
        };
    }
    void CommitPendingEdit();
    // Makes the section-details window unless it is made; false when it
    // cannot be.
    bool MakeSectionDetails();
    // The printing functions, or null after saying on the status line that
    // they cannot be had.
    const Printing* PrintingOrSayWhy();

    MainWindowSeams seams_;
    Document* document_;
    std::unique_ptr<ReportCommands> reports_;
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
    QWidget* sectionDetails_ = nullptr;
    bool sectionDetailsPlaced_ = false;
    SectionDesignWindow* sectionDesign_ = nullptr;
    std::unique_ptr<BackgroundMusic> music_;
    bool closeApproved_ = false;
    bool firstFrameShown_ = false;
};

}  // namespace channel
