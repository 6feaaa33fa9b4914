#include "app/widgets/MainWindow.h"

#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QCursor>
#include <QFileInfo>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

#include "app/core/ProgramState.h"
#include "app/core/ShellHandlers.h"
#include "app/core/ShellTexts.h"
#include "app/core/WindowPlacement.h"
#include "app/document/Document.h"
#include "app/widgets/AboutWindow.h"
#include "app/widgets/GlyphWarmUp.h"
#include "app/widgets/InstructionsWindow.h"
#include "app/widgets/MainMenus.h"
#include "app/widgets/ReportWidgets.h"
#include "app/widgets/SectionDesignWindow.h"
#include "app/widgets/SystemSeams.h"
#include "app/widgets/TrayIcon.h"
#include "io/CompanionFiles.h"
#include "table/widgets/TableControl.h"

// The icons live in this static library; its resources must be registered
// by name or the linker drops them.
static void InitShellResources() {
    Q_INIT_RESOURCE(resources);
}

namespace channel {

namespace {
constexpr int kClientWidth = 704;
constexpr int kClientHeight = 312;
// Long enough for a click right after the window appears to be answered
// first; short enough that the tune seems to start with the window.
constexpr int kIconsAndTuneDelayMs = 250;
// Once the start-up work is done (the icons, the tune's module on its
// thread), the section-details window is made hidden, so that the first F4
// shows it within a frame instead of loading Qt Charts then.
constexpr int kPrepareSectionDetailsDelayMs = 1000;

template <typename Window>
Window* ShowModal(Window* window) {
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setModal(true);
    window->show();
    return window;
}
}  // namespace

MainWindow::MainWindow(ProgramState& state, MainWindowSeams seams, QWidget* parent)
    : QMainWindow(parent), seams_(std::move(seams)) {
    setObjectName(QStringLiteral("主窗口"));
    setWindowTitle(shell_text::kMainCaption);
    InitShellResources();
    FillMissingSeams(seams_, this, state.cadConnection);
    document_ =
        new Document(DocumentSeams{*seams_.fileDialogs, *seams_.fileMessages, *seams_.clipboard,
                                   seams_.askDxfPath, seams_.exportTable, seams_.exportSection},
                     this);
    reports_ = std::make_unique<ReportCommands>(
        *document_, ReportSeams{*seams_.fileDialogs, *seams_.fileMessages, *seams_.reportInfoDialog,
                                [this](const CalculationReport& report) {
                                    if (const Printing* printing = PrintingOrSayWhy())
                                        printing->previewReport(report, *seams_.printDialogs);
                                },
                                [this](const QString& text) { ShowStatus(text); }});
    music_ = std::make_unique<BackgroundMusic>(std::move(seams_.tunePlayer));
    BuildControls();
    ConnectControls();
    BuildMenus();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    move(50, 50);
    ShowStatus(shell_text::kStartPrompt);
    // The notification-area icon follows with the first frame (see event()).
    RefreshCaption();
}

MainWindow::~MainWindow() {
    // Closing the window ends an open cell edit; no handler may run on a
    // window that is half torn down.
    tableView_->disconnect(this);
    document_->disconnect(this);
}

void MainWindow::CommitPendingEdit() {
    tableView_->CommitPendingEdit();
}

void MainWindow::BuildControls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("窗口表面"));
    client->setFixedSize(kClientWidth, kClientHeight);
    client->installEventFilter(this);
    setCentralWidget(client);
    // Every control at its fixed place, under its design name.
    const auto place = [](auto* control, const char* name, QRect geometry) {
        control->setObjectName(QString::fromUtf8(name));
        control->setGeometry(geometry);
        return control;
    };
    tableView_ = place(new TableControl(&Table(), client), "表格1", {-1, 3, 705, 272});
    tableView_->ApplyCellSize(elements_table::kRowHeight, elements_table::kColumnWidth);
    cadButton_ =
        place(new QPushButton(QStringLiteral("表格转入cad"), client), "按钮1", {0, 277, 104, 32});
    cadButton_->installEventFilter(this);
    instructionsButton_ =
        place(new QPushButton(QStringLiteral("说明"), client), "按钮3", {106, 276, 80, 32});
    depthKnownButton_ = place(new QRadioButton(QStringLiteral("已知水深求流量"), client), "单选框1",
                              {190, 280, 104, 24});
    dischargeKnownButton_ = place(new QRadioButton(QStringLiteral("已知流量求水深"), client),
                                  "单选框2", {304, 280, 104, 24});
    auto* modes = new QButtonGroup(this);
    modes->addButton(depthKnownButton_);
    modes->addButton(dischargeKnownButton_);
    dischargeKnownButton_->setChecked(true);
    statusLine_ = place(new QLineEdit(client), "编辑框1", {448, 281, 248, 24});
    statusLine_->setReadOnly(true);
    statusLine_->setAccessibleName(QStringLiteral("状态"));
    for (QWidget* inert : std::initializer_list<QWidget*>{statusLine_, instructionsButton_,
                                                          depthKnownButton_, dischargeKnownButton_})
        inert->setContextMenuPolicy(Qt::NoContextMenu);
}

void MainWindow::ConnectControls() {
    Document* doc = document_;
    connect(doc, &Document::statusChanged, this, &MainWindow::ShowStatus);
    connect(doc, &Document::captionChanged, this, &MainWindow::RefreshCaption);
    connect(doc, &Document::closeApproved, this, [this] {
        closeApproved_ = true;
        close();
    });
    connect(tableView_, &TableControl::editorOpened, doc, &Document::OnEditorOpened);
    connect(tableView_, &TableControl::cellEditFinished, doc, &Document::OnEditFinished);
    connect(tableView_, &TableControl::characterTyped, doc, &Document::OnTyping);
    connect(tableView_, &TableControl::editorTextEdited, doc, &Document::OnTyping);
    connect(tableView_, &TableControl::editorFull, doc, &Document::OnCellTextFull);
    connect(tableView_, &TableControl::rightButtonPressed, this,
            [this] { PopUp(editMenu_, QCursor::pos()); });
    connect(tableView_, &TableControl::copyRequested, this, &MainWindow::CopyCells);
    connect(tableView_, &TableControl::pasteRequested, this, &MainWindow::PasteCells);
    connect(tableView_, &TableControl::clearRequested, this, &MainWindow::ClearCells);
    connect(depthKnownButton_, &QRadioButton::toggled, doc, &Document::SetDepthKnownMode);
    // What the click calculates is undone as one step, like an edit.
    connect(depthKnownButton_, &QRadioButton::clicked, doc, &Document::CalculateCurrentRowAsStep);
    // Choosing a mode is not a place to type: the keyboard goes back to the
    // table's current cell.
    for (QRadioButton* mode : {depthKnownButton_, dischargeKnownButton_})
        connect(mode, &QRadioButton::clicked, tableView_,
                [this] { tableView_->setFocus(Qt::OtherFocusReason); });
    connect(cadButton_, &QPushButton::clicked, this, Committed(&Document::ExportTable));
    connect(instructionsButton_, &QPushButton::clicked, this, &MainWindow::OpenInstructions);
}

void MainWindow::BuildMenus() {
    const MainMenus menus = AddMainMenus(*menuBar(), document_->History());
    fileMenu_ = menus.file;
    editMenu_ = menus.edit;
    toolsMenu_ = menus.tools;
    aboutMenu_ = menus.about;
    const std::pair<const char*, std::function<void()>> commands[] = {
        {"新建", Committed(&Document::NewTable)},
        {"打开", Committed(&Document::OpenTable)},
        {"保存", Committed(&Document::SaveTable)},
        {"另存为", Committed(&Document::SaveTableAs)},
        {"打印预览",
         [this] {
             CommitPendingEdit();
             if (const Printing* printing = PrintingOrSayWhy())
                 printing->previewTable(Table(), *seams_.printDialogs);
         }},
        {"打印",
         [this] {
             CommitPendingEdit();
             if (const Printing* printing = PrintingOrSayWhy())
                 printing->printTable(Table(), *seams_.printDialogs);
         }},
        {"计算书信息", Reported(&ReportCommands::EditInfo)},
        {"导出计算书", Reported(&ReportCommands::Export)},
        {"打印计算书", Reported(&ReportCommands::Print)},
        {"退出", Committed(&Document::Exit)},
        {"复制", Committed(&Document::Copy)},
        {"粘贴", Committed(&Document::Paste)},
        {"清除", Committed(&Document::Clear)},
        {"撤销", Committed(&Document::Undo)},
        {"重做", Committed(&Document::Redo)},
        {"关闭音乐", [this] { MusicOff(); }},
        {"开启音乐", [this] { MusicOn(); }},
        {"断面详情", [this] { ShowSectionDetails(); }},
        {"全部重算", Committed(&Document::RecalculateAllRows)},
        {"断面图转入cad", Committed(&Document::ExportSection)},
        {"表格转入cad", Committed(&Document::ExportTable)},
        // As a click on the button: the same calculation, undo step and focus.
        {"已知水深求流量", [this] { depthKnownButton_->click(); }},
        {"已知流量求水深", [this] { dischargeKnownButton_->click(); }},
        {"断面设计",
         [this] {
             CommitPendingEdit();
             ShowSectionDesign();
         }},
        {"关于本程序", [this] { OpenAbout(); }},
    };
    for (const auto& [name, command] : commands)
        connect(menuBar()->findChild<QAction*>(QString::fromUtf8(name)), &QAction::triggered, this,
                command);
    // The mode items show which mode the buttons are in.
    auto* modeItems = new QActionGroup(this);
    for (QRadioButton* mode : {depthKnownButton_, dischargeKnownButton_}) {
        QAction* item = modeItems->addAction(menuBar()->findChild<QAction*>(mode->text()));
        item->setCheckable(true);
        item->setChecked(mode->isChecked());
        connect(mode, &QRadioButton::toggled, item, &QAction::setChecked);
    }
}

void MainWindow::OnTrayIconEvent(int actionCode) {
    // A tray click can arrive while a dialog runs its own event loop; a
    // second command must not start inside the first.
    if (QApplication::activeModalWidget()) return;
    switch (TrayMenuForAction(actionCode)) {
        case TrayMenu::About:
            PopUp(aboutMenu_, QCursor::pos());
            break;
        case TrayMenu::File:
            PopUp(fileMenu_, QCursor::pos());
            break;
        case TrayMenu::None:
            break;
    }
}

void MainWindow::PopUp(QMenu* menu, const QPoint& globalPosition) {
    lastPopup_ = menu;
    menu->popup(globalPosition);
}

QString MainWindow::StatusText() const {
    return statusLine_->text();
}

void MainWindow::ShowStatus(const QString& text) {
    // The same message again (a command that runs twice in one action) is
    // not laid out and drawn again.
    if (text == statusLine_->text()) {
        statusLine_->setCursorPosition(0);
        return;
    }
    statusLine_->setText(text);
    // Long messages (a file path) start with what happened; show that part
    // and keep the whole text at hand in the tooltip.
    statusLine_->setCursorPosition(0);
    statusLine_->setToolTip(text);
}

void MainWindow::RefreshCaption() {
    QString caption = shell_text::kMainCaption;
    const QString& file = document_->CurrentFileName();
    if (!file.isEmpty()) caption += QStringLiteral(" - ") + QFileInfo(file).fileName();
    setWindowTitle(caption + QStringLiteral("[*]"));
    setWindowModified(document_->Modified());
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!closeApproved_) {
        tableView_->CommitPendingEdit();
        if (!document_->MayClose()) {
            event->ignore();
            return;
        }
    }
    if (trayIcon_) trayIcon_->hide();
    if (sectionDetails_) sectionDetails_->close();
    if (sectionDesign_) sectionDesign_->close();
    music_->MusicOff();
    event->accept();
}

AboutWindow* MainWindow::OpenAbout() {
    return ShowModal(new AboutWindow(this));
}

InstructionsWindow* MainWindow::OpenInstructions() {
    return ShowModal(new InstructionsWindow(CompanionFile(shell_text::kInstructionsFile), this));
}

const Printing* MainWindow::PrintingOrSayWhy() {
    const Printing* printing = seams_.printing();
    if (!printing) ShowStatus(shell_text::kPrintingMissing);
    return printing;
}

bool MainWindow::MakeSectionDetails() {
    if (!sectionDetails_)
        sectionDetails_ = seams_.makeSectionDetails(Table(), *seams_.clipboard, this);
    return sectionDetails_ != nullptr;
}

void MainWindow::PrepareSectionDetails() {
    if (!MakeSectionDetails()) return;  // F4 says why when it is asked for
    // A step of its own, so input waiting since the module loaded is
    // answered in between.
    QTimer::singleShot(0, sectionDetails_,
                       [details = sectionDetails_] { PrepareHiddenWindow(*details); });
}

void MainWindow::ShowSectionDetails() {
    if (!MakeSectionDetails()) {
        ShowStatus(shell_text::kSectionDetailsMissing);
        return;
    }
    // Placed as it first shows, beside where this window is now, even when
    // it was made hidden long before.
    if (!sectionDetailsPlaced_) {
        sectionDetails_->move(PlaceBeside(frameGeometry(), sectionDetails_->frameGeometry().size(),
                                          screen()->availableGeometry()));
        sectionDetailsPlaced_ = true;
    }
    sectionDetails_->show();
    sectionDetails_->raise();
}

void MainWindow::ShowSectionDesign() {
    if (!sectionDesign_) {
        sectionDesign_ = new SectionDesignWindow(*document_, this);
    } else {
        sectionDesign_->LoadCurrentRow();
    }
    sectionDesign_->show();
    sectionDesign_->raise();
}

bool MainWindow::event(QEvent* event) {
    const bool handled = QMainWindow::event(event);
    if (event->type() == QEvent::Paint && !firstFrameShown_) {
        // The icons and the tune come a moment after the first frame is on
        // the screen, so nothing that can wait holds up the window (the
        // window icon alone costs a tenth of the start-up on X11) or the
        // answer to a first click (the tray icon's ICO loads Qt's image
        // plugins, and the tune's module loads FluidSynth and its libraries).
        firstFrameShown_ = true;
        // Right after the frame, before any click can come: the glyphs of
        // what a first click on an empty row shows, its prompt and the row
        // marker (about half of that click's drawing otherwise).
        QTimer::singleShot(0, this, [this] {
            QStringList prompts;
            for (const elements_table::RequiredInput& input : elements_table::kRequiredInputs)
                prompts << QString::fromUtf8(input.prompt);
            WarmGlyphs(statusLine_->font(), prompts);
            WarmGlyphs(tableView_->font(), {shell_text::kRowMarker});
        });
        QTimer::singleShot(kIconsAndTuneDelayMs, this, [this] {
            if (!isVisible()) return;  // closed before it came to this
            setWindowIcon(QIcon(QStringLiteral(":/icons/app.png")));
            trayIcon_ = ShowTrayIcon(this);
            connect(trayIcon_, &QSystemTrayIcon::activated, this,
                    [this](QSystemTrayIcon::ActivationReason reason) {
                        if (reason == QSystemTrayIcon::Trigger) OnTrayIconEvent(1);
                        if (reason == QSystemTrayIcon::Context) OnTrayIconEvent(3);
                    });
            music_->MusicOn();
        });
        QTimer::singleShot(kPrepareSectionDetailsDelayMs, this, [this] {
            if (isVisible()) PrepareSectionDetails();
        });
    }
    return handled;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        // Presses that a control ignores travel on to the surface; only those
        // that really began on the free surface open the about window.
        const auto* press = static_cast<QMouseEvent*>(event);
        const bool onFreeSurface =
            watched == centralWidget() && !centralWidget()->childAt(press->position().toPoint());
        if (onFreeSurface || watched == cadButton_) {
            OpenAbout();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace channel
