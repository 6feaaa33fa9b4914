#include "app/widgets/MainWindow.h"

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
#include "app/core/SectionExport.h"
#include "app/core/ShellTexts.h"
#include "app/core/TableSetUp.h"
#include "app/core/WindowPlacement.h"
#include "app/music/BackgroundMusic.h"
#include "app/widgets/AboutWindow.h"
#include "app/widgets/InstructionsWindow.h"
#include "app/widgets/SectionDetailsWindow.h"
#include "app/widgets/SystemSeams.h"
#include "app/widgets/TableHistory.h"
#include "cad/CadExport.h"
#include "hydraulics/RowCalculation.h"
#include "hydraulics/RowRecalculation.h"
#include "table/ElementsTable.h"
#include "table/clipboard/TableClipboard.h"
#include "table/print/TablePrinter.h"
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
}  // namespace

MainWindow::MainWindow(ProgramState& state, MainWindowSeams seams, QWidget* parent)
    : QMainWindow(parent), state_(state), seams_(std::move(seams)) {
    setObjectName(QStringLiteral("主窗口"));
    setWindowTitle(shell_text::kMainCaption);
    InitShellResources();
    FillMissingSeams(seams_, this);
    table_ = new ElementsTable(elements_table::kRows, elements_table::kColumns,
                               elements_table::kFixedRows, elements_table::kFixedColumns, this);
    history_ = new TableHistory(*table_, this);
    music_ = std::make_unique<BackgroundMusic>(std::move(seams_.tunePlayer));
    BuildControls();
    BuildMenus();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    move(50, 50);
    SetUpMainWindow();
    connect(table_, &QAbstractItemModel::modelReset, this, [this] { ++tableResets_; });
    connect(&history_->Stack(), &QUndoStack::indexChanged, this, &MainWindow::RefreshCaption);
    RefreshCaption();
}

MainWindow::~MainWindow() {
    // Closing the window ends an open cell edit; no handler may run on a
    // window that is half torn down.
    tableView_->disconnect(this);
    table_->disconnect(this);
    history_->Stack().disconnect(this);  // the stack clears itself as it goes
}

void MainWindow::SetUpMainWindow() {
    state_.markedRow = 0;
    SetUpElementsTable(*table_);
    ShowStatus(shell_text::kStartPrompt);
    // The notification-area icon follows with the first frame (see event()).
}

void MainWindow::BuildControls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("窗口表面"));
    client->setFixedSize(kClientWidth, kClientHeight);
    client->installEventFilter(this);
    setCentralWidget(client);

    tableView_ = new TableControl(table_, client);
    tableView_->setObjectName(QStringLiteral("表格1"));
    tableView_->setGeometry(-1, 3, 705, 272);
    tableView_->ApplyCellSize(elements_table::kRowHeight, elements_table::kColumnWidth);

    cadButton_ = new QPushButton(QStringLiteral("表格转入cad"), client);
    cadButton_->setObjectName(QStringLiteral("按钮1"));
    cadButton_->setGeometry(0, 277, 104, 32);
    cadButton_->installEventFilter(this);

    instructionsButton_ = new QPushButton(QStringLiteral("说明"), client);
    instructionsButton_->setObjectName(QStringLiteral("按钮3"));
    instructionsButton_->setGeometry(106, 276, 80, 32);

    depthKnownButton_ = new QRadioButton(QStringLiteral("已知水深求流量"), client);
    depthKnownButton_->setObjectName(QStringLiteral("单选框1"));
    depthKnownButton_->setGeometry(190, 280, 104, 24);
    dischargeKnownButton_ = new QRadioButton(QStringLiteral("已知流量求水深"), client);
    dischargeKnownButton_->setObjectName(QStringLiteral("单选框2"));
    dischargeKnownButton_->setGeometry(304, 280, 104, 24);
    auto* modes = new QButtonGroup(this);
    modes->addButton(depthKnownButton_);
    modes->addButton(dischargeKnownButton_);
    dischargeKnownButton_->setChecked(true);

    statusLine_ = new QLineEdit(client);
    statusLine_->setObjectName(QStringLiteral("编辑框1"));
    statusLine_->setGeometry(448, 281, 248, 24);
    statusLine_->setReadOnly(true);
    statusLine_->setContextMenuPolicy(Qt::NoContextMenu);
    for (QWidget* inert : std::initializer_list<QWidget*>{instructionsButton_, depthKnownButton_,
                                                          dischargeKnownButton_}) {
        inert->setContextMenuPolicy(Qt::NoContextMenu);
    }

    connect(table_, &ElementsTable::currentCellMoved, this, [this] {
        ShellContext shell = Shell();
        OnCurrentCellChanged(shell);
    });
    connect(tableView_, &TableControl::editorOpened, this,
            [this] { beforeEdit_ = table_->TakeSnapshot(); });
    connect(tableView_, &TableControl::cellEditFinished, this, [this] {
        CalculateCurrentRow();
        // The edit and the calculation it started are one step.
        if (beforeEdit_) history_->Record(QStringLiteral("编辑"), *beforeEdit_);
        beforeEdit_.reset();
    });
    connect(tableView_, &TableControl::characterTyped, this, [this](QChar c) {
        ShellContext shell = Shell();
        OnTableCharTyped(shell, c);
        RefreshCaption();
    });
    connect(tableView_, &TableControl::editorTextEdited, this, [this] {
        EditContext edits = Edits();
        OnCellEditorTextEdited(edits);
        RefreshCaption();
    });
    connect(tableView_, &TableControl::rightButtonPressed, this,
            &MainWindow::OnTableRightButtonDown);
    connect(tableView_, &TableControl::copyRequested, this, &MainWindow::CopyCells);
    connect(tableView_, &TableControl::pasteRequested, this, &MainWindow::PasteCells);
    connect(tableView_, &TableControl::clearRequested, this, &MainWindow::ClearCells);
    connect(depthKnownButton_, &QRadioButton::clicked, this, [this] {
        // What the click calculates is undone as one step, like an edit.
        const TableHistory::Step step(*history_, QStringLiteral("计算"));
        CalculateCurrentRow();
    });
    // Choosing a mode is not a place to type: the keyboard goes back to the
    // table's current cell.
    for (QRadioButton* mode : {depthKnownButton_, dischargeKnownButton_})
        connect(mode, &QRadioButton::clicked, tableView_,
                [this] { tableView_->setFocus(Qt::OtherFocusReason); });
    connect(cadButton_, &QPushButton::clicked, this, &MainWindow::ExportToCad);
    connect(instructionsButton_, &QPushButton::clicked, this, &MainWindow::OpenInstructions);
}

void MainWindow::BuildMenus() {
    struct Item {
        QString text;
        void (MainWindow::*command)();
        QKeySequence hint;
        // Window-wide keys, answered wherever the focus is in the window.
        QList<QKeySequence> keys = {};
    };
    auto addMenu = [this](const QString& title, std::initializer_list<Item> items) {
        QMenu* menu = menuBar()->addMenu(title);
        menu->setObjectName(title);
        for (const Item& item : items) {
            QAction* action = menu->addAction(item.text);
            action->setObjectName(item.text);
            // The table answers these keys itself; the menu only shows them.
            if (!item.hint.isEmpty()) {
                action->setShortcut(item.hint);
                action->setShortcutContext(Qt::WidgetShortcut);
            }
            if (!item.keys.isEmpty()) action->setShortcuts(item.keys);
            connect(action, &QAction::triggered, this, item.command);
        }
        return menu;
    };
    // Spelled out rather than taken from the platform's standard keys, some
    // of which (Save As, Quit) are empty on Windows.
    const auto ctrl = [](Qt::Key key, Qt::KeyboardModifiers more = {}) {
        return QKeySequence(QKeyCombination(Qt::ControlModifier | more, key));
    };
    fileMenu_ =
        addMenu(QStringLiteral("文件"),
                {{QStringLiteral("新建"), &MainWindow::NewTable, {}, {ctrl(Qt::Key_N)}},
                 {QStringLiteral("打开"), &MainWindow::OpenTable, {}, {ctrl(Qt::Key_O)}},
                 {QStringLiteral("保存"), &MainWindow::SaveTable, {}, {ctrl(Qt::Key_S)}},
                 {QStringLiteral("另存为"),
                  &MainWindow::SaveTableAs,
                  {},
                  {ctrl(Qt::Key_S, Qt::ShiftModifier)}},
                 {QStringLiteral("打印预览"), &MainWindow::PrintPreview, {}},
                 {QStringLiteral("打印"), &MainWindow::PrintTable, {}, {ctrl(Qt::Key_P)}},
                 {QStringLiteral("退出"), &MainWindow::ExitProgram, {}, {ctrl(Qt::Key_Q)}}});
    editMenu_ =
        addMenu(QStringLiteral("编辑"),
                {{QStringLiteral("复制"), &MainWindow::CopyCells, QKeySequence::Copy},
                 {QStringLiteral("粘贴"), &MainWindow::PasteCells, QKeySequence::Paste},
                 {QStringLiteral("清除"), &MainWindow::ClearCells, QKeySequence(Qt::Key_Delete)},
                 {QStringLiteral("撤销"), &MainWindow::Undo, {}, {ctrl(Qt::Key_Z)}},
                 {QStringLiteral("重做"),
                  &MainWindow::Redo,
                  {},
                  {ctrl(Qt::Key_Y), ctrl(Qt::Key_Z, Qt::ShiftModifier)}}});
    QAction* undo = editMenu_->findChild<QAction*>(QStringLiteral("撤销"));
    QAction* redo = editMenu_->findChild<QAction*>(QStringLiteral("重做"));
    undo->setEnabled(false);
    redo->setEnabled(false);
    connect(&history_->Stack(), &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(&history_->Stack(), &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
    addMenu(QStringLiteral("音乐"), {{QStringLiteral("关闭音乐"), &MainWindow::MusicOff, {}},
                                     {QStringLiteral("开启音乐"), &MainWindow::MusicOn, {}}});
    toolsMenu_ = addMenu(QStringLiteral("工具"),
                         {{QStringLiteral("断面详情"), &MainWindow::ShowSectionDetails, {}},
                          {QStringLiteral("全部重算"), &MainWindow::RecalculateAllRows, {}},
                          {QStringLiteral("断面图转入cad"), &MainWindow::ExportSectionToCad, {}}});
    // F4 and F9 work wherever the keyboard is in the window, in an open cell
    // editor too.
    toolsMenu_->actions().at(0)->setShortcut(QKeySequence(Qt::Key_F4));
    toolsMenu_->actions().at(1)->setShortcut(QKeySequence(Qt::Key_F9));
    aboutMenu_ = menuBar()->addMenu(QStringLiteral("关于"));
    aboutMenu_->setObjectName(QStringLiteral("关于"));
    QAction* about = aboutMenu_->addAction(QStringLiteral("关于本程序"));
    about->setObjectName(QStringLiteral("关于本程序"));
    connect(about, &QAction::triggered, this, [this] { OpenAbout(); });
}

void MainWindow::BuildTrayIcon() {
    const QString localIcon = shell_text::kTrayIconFile;
    QIcon icon(QFileInfo::exists(localIcon) ? localIcon : QStringLiteral(":/icons/circle_f1.ico"));
    if (icon.isNull() || icon.availableSizes().isEmpty())
        icon = QIcon(QStringLiteral(":/icons/circle_f1.ico"));
    trayIcon_ = new QSystemTrayIcon(icon, this);
    trayIcon_->setObjectName(QStringLiteral("托盘图标"));
    trayIcon_->setToolTip(shell_text::kTrayTooltip);
    connect(trayIcon_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger) OnTrayIconEvent(1);
                if (reason == QSystemTrayIcon::Context) OnTrayIconEvent(3);
            });
    trayIcon_->show();
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

void MainWindow::OnTableRightButtonDown(int, int, int) {
    PopUp(editMenu_, QCursor::pos());
}

void MainWindow::PopUp(QMenu* menu, const QPoint& globalPosition) {
    lastPopup_ = menu;
    menu->popup(globalPosition);
}

QString MainWindow::StatusText() const {
    return statusLine_->text();
}

void MainWindow::ShowStatus(const QString& text) {
    statusLine_->setText(text);
    // Long messages (a file path) start with what happened; show that part
    // and keep the whole text at hand in the tooltip.
    statusLine_->setCursorPosition(0);
    statusLine_->setToolTip(text);
}

ShellContext MainWindow::Shell() {
    return ShellContext{*table_, state_.markedRow, state_.document.modified,
                        [this](const QString& text) { ShowStatus(text); }};
}

template <typename Command>
auto MainWindow::RunFileCommand(Command command) {
    tableView_->CommitPendingEdit();
    FileCommandContext files = Files();
    struct RefreshAfter {
        MainWindow* window;
        ~RefreshAfter() { window->RefreshCaption(); }
    } refresh{this};
    return command(files);
}

void MainWindow::RefreshCaption() {
    QString caption = shell_text::kMainCaption;
    const QString& file = state_.document.currentFileName;
    if (!file.isEmpty()) caption += QStringLiteral(" - ") + QFileInfo(file).fileName();
    setWindowTitle(caption + QStringLiteral("[*]"));
    setWindowModified(state_.document.modified == 1);
}

FileCommandContext MainWindow::Files() {
    return FileCommandContext{*table_,
                              state_.document,
                              *seams_.fileDialogs,
                              *seams_.fileMessages,
                              [this] { ResetToStartupTable(*table_); },
                              [this] {
                                  closeApproved_ = true;
                                  close();
                              }};
}

EditContext MainWindow::Edits() {
    return EditContext{*table_, *seams_.clipboard, state_.document.modified, Calculation()};
}

CalculationContext MainWindow::Calculation() {
    return CalculationContext{*table_, state_.workingRecord, state_.targetDischarge,
                              [this](const QString& text) { ShowStatus(text); }};
}

bool MainWindow::DepthKnownMode() const {
    return depthKnownButton_->isChecked();
}

void MainWindow::CalculateCurrentRow() {
    CalculationContext context = Calculation();
    channel::CalculateCurrentRow(context, DepthKnownMode());
}

void MainWindow::RecalculateAllRows() {
    tableView_->CommitPendingEdit();
    const TableHistory::Step step(*history_, QStringLiteral("全部重算"));
    CalculationContext context = Calculation();
    channel::RecalculateAllRows(context, DepthKnownMode());
}

void MainWindow::NewTable() {
    const int resets = tableResets_;
    RunFileCommand(channel::NewTable);
    if (tableResets_ != resets) history_->Clear();
}

void MainWindow::OpenTable() {
    const int resets = tableResets_;
    RunFileCommand(channel::OpenTable);
    if (tableResets_ != resets) history_->Clear();
}

void MainWindow::SaveTable() {
    if (RunFileCommand(channel::SaveTable)) history_->MarkSaved();
}

void MainWindow::SaveTableAs() {
    RunFileCommand(channel::SaveTableAs);
    // The current file may now hold this table, not the one 保存 last wrote:
    // no state in the history matches a file any more, so undo never clears
    // the mark until the next 保存.
    history_->ForgetSaved();
}

void MainWindow::ExitProgram() {
    RunFileCommand(channel::ExitProgram);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!closeApproved_) {
        if (RunFileCommand(CheckUnsavedChanges)) {
            event->ignore();
            return;
        }
    }
    if (trayIcon_) trayIcon_->hide();
    if (sectionDetails_) sectionDetails_->close();
    music_->MusicOff();
    event->accept();
}

void MainWindow::PrintPreview() {
    tableView_->CommitPendingEdit();
    channel::PrintPreview(*table_, *seams_.printDialogs);
}

void MainWindow::PrintTable() {
    tableView_->CommitPendingEdit();
    channel::Print(*table_, *seams_.printDialogs);
}

void MainWindow::CopyCells() {
    tableView_->CommitPendingEdit();
    Copy(*table_, *seams_.clipboard);
}

void MainWindow::PasteCells() {
    tableView_->CommitPendingEdit();
    const TableHistory::Step step(*history_, QStringLiteral("粘贴"));
    EditContext edits = Edits();
    PasteIntoTable(edits, DepthKnownMode());
    RefreshCaption();
}

void MainWindow::ClearCells() {
    tableView_->CommitPendingEdit();
    const TableHistory::Step step(*history_, QStringLiteral("清除"));
    EditContext edits = Edits();
    ClearSelectedCells(edits);
    RefreshCaption();
}

void MainWindow::Undo() {
    // An open edit is the newest change: it is committed, then undone first.
    tableView_->CommitPendingEdit();
    if (!history_->CanUndo()) return;
    history_->Undo();
    AfterUndoOrRedo();
}

void MainWindow::Redo() {
    tableView_->CommitPendingEdit();
    if (!history_->CanRedo()) return;
    history_->Redo();
    AfterUndoOrRedo();
}

void MainWindow::AfterUndoOrRedo() {
    EditContext edits = Edits();
    OnUndoOrRedo(edits, history_->AwayFromSaved());
    RefreshCaption();
}

void MainWindow::MusicOff() {
    music_->MusicOff();
}

void MainWindow::MusicOn() {
    music_->MusicOn();
}

AboutWindow* MainWindow::OpenAbout() {
    auto* about = new AboutWindow(this);
    about->setAttribute(Qt::WA_DeleteOnClose);
    about->setModal(true);
    about->show();
    return about;
}

InstructionsWindow* MainWindow::OpenInstructions() {
    auto* window = new InstructionsWindow(shell_text::kInstructionsFile, this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setModal(true);
    window->show();
    return window;
}

void MainWindow::ShowSectionDetails() {
    if (!sectionDetails_) {
        sectionDetails_ = new SectionDetailsWindow(*table_, *seams_.clipboard, this);
        sectionDetails_->move(PlaceBeside(frameGeometry(), sectionDetails_->frameGeometry().size(),
                                          screen()->availableGeometry()));
    }
    sectionDetails_->show();
    sectionDetails_->raise();
}

CadExportSeams MainWindow::CadSeams() {
    return CadExportSeams{seams_.askDxfPath, [this](const QString& text) { ShowStatus(text); }};
}

void MainWindow::ExportToCad() {
    tableView_->CommitPendingEdit();
    CadExportSeams cad = CadSeams();
    seams_.exportTable(state_, *table_, cad);
}

void MainWindow::ExportSectionToCad() {
    tableView_->CommitPendingEdit();
    const auto section = SectionToDraw(*table_, table_->CurrentRow());
    if (!section.ok()) {
        ShowStatus(section.reason());
        return;
    }
    CadExportSeams cad = CadSeams();
    seams_.exportSection(state_, section.value(), cad);
}

bool MainWindow::event(QEvent* event) {
    const bool handled = QMainWindow::event(event);
    if (event->type() == QEvent::Paint && !firstFrameShown_) {
        // The icons and the tune come once the first frame is on the screen,
        // so nothing that can wait holds up the window (the window icon alone
        // costs a tenth of the start-up on X11).
        firstFrameShown_ = true;
        QTimer::singleShot(0, this, [this] {
            if (!isVisible()) return;  // closed before it came to this
            setWindowIcon(QIcon(QStringLiteral(":/icons/app.png")));
            BuildTrayIcon();
            music_->MusicOn();
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
