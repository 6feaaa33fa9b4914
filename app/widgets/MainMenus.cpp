#include "app/widgets/MainMenus.h"

#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QUndoStack>

namespace channel {

namespace {

struct Item {
    const char* text;
    // Shown only: the table answers these keys itself.
    QKeySequence hint = {};
    // Window-wide keys, answered wherever the focus is in the window.
    QList<QKeySequence> keys = {};
};

// The title shown with its Alt key, e.g. "文件(&F)"; the object name stays
// the bare title.
QString WithMnemonic(const char* title) {
    static const std::pair<const char*, char> kMnemonics[] = {
        {"文件", 'F'}, {"编辑", 'E'}, {"计算", 'C'}, {"音乐", 'M'}, {"工具", 'T'}, {"关于", 'A'}};
    QString text = QString::fromUtf8(title);
    for (const auto& [name, key] : kMnemonics)
        if (text == QString::fromUtf8(name)) return text + QStringLiteral("(&%1)").arg(key);
    return text;
}

QMenu* AddMenu(QMenuBar& bar, const char* title, std::initializer_list<Item> items) {
    QMenu* menu = bar.addMenu(WithMnemonic(title));
    menu->setObjectName(QString::fromUtf8(title));
    for (const Item& item : items) {
        QAction* action = menu->addAction(QString::fromUtf8(item.text));
        action->setObjectName(QString::fromUtf8(item.text));
        if (!item.hint.isEmpty()) {
            action->setShortcut(item.hint);
            action->setShortcutContext(Qt::WidgetShortcut);
        }
        if (!item.keys.isEmpty()) action->setShortcuts(item.keys);
    }
    return menu;
}

// Spelled out rather than taken from the platform's standard keys, some of
// which (Save As, Quit) are empty on Windows.
QKeySequence Ctrl(Qt::Key key, Qt::KeyboardModifiers more = {}) {
    return QKeySequence(QKeyCombination(Qt::ControlModifier | more, key));
}

}  // namespace

MainMenus AddMainMenus(QMenuBar& bar, QUndoStack& history) {
    MainMenus menus{};
    menus.file = AddMenu(bar, "文件",
                         {{"新建", {}, {Ctrl(Qt::Key_N)}},
                          {"打开", {}, {Ctrl(Qt::Key_O)}},
                          {"保存", {}, {Ctrl(Qt::Key_S)}},
                          {"另存为", {}, {Ctrl(Qt::Key_S, Qt::ShiftModifier)}},
                          {"打印预览"},
                          {"打印", {}, {Ctrl(Qt::Key_P)}},
                          {"计算书信息"},
                          {"导出计算书"},
                          {"打印计算书"},
                          {"退出", {}, {Ctrl(Qt::Key_Q)}}});
    menus.edit = AddMenu(bar, "编辑",
                         {{"复制", QKeySequence::Copy},
                          {"粘贴", QKeySequence::Paste},
                          {"清除", QKeySequence(Qt::Key_Delete)},
                          {"撤销", {}, {Ctrl(Qt::Key_Z)}},
                          {"重做", {}, {Ctrl(Qt::Key_Y), Ctrl(Qt::Key_Z, Qt::ShiftModifier)}}});
    QAction* undo = menus.edit->findChild<QAction*>(QStringLiteral("撤销"));
    QAction* redo = menus.edit->findChild<QAction*>(QStringLiteral("重做"));
    undo->setEnabled(history.canUndo());
    redo->setEnabled(history.canRedo());
    QObject::connect(&history, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    QObject::connect(&history, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
    // The window's mode buttons, for the keyboard.
    AddMenu(bar, "计算",
            {{"已知水深求流量", {}, {Ctrl(Qt::Key_1)}}, {"已知流量求水深", {}, {Ctrl(Qt::Key_2)}}});
    AddMenu(bar, "音乐", {{"关闭音乐"}, {"开启音乐"}});
    // F4, F9 and F6 work wherever the keyboard is in the window, in an open
    // cell editor too.
    menus.tools = AddMenu(bar, "工具",
                          {{"断面详情", {}, {QKeySequence(Qt::Key_F4)}},
                           {"全部重算", {}, {QKeySequence(Qt::Key_F9)}},
                           {"断面图转入cad"},
                           {"表格转入cad", {}, {Ctrl(Qt::Key_T)}},
                           {"断面设计", {}, {QKeySequence(Qt::Key_F6)}}});
    menus.about = AddMenu(bar, "关于", {{"关于本程序"}});
    // F10 opens the first menu, as on other desktops.
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), &bar);
    f10->setContext(Qt::WindowShortcut);
    QObject::connect(f10, &QShortcut::activated, &bar,
                     [&bar] { bar.setActiveAction(bar.actions().value(0)); });
    return menus;
}

}  // namespace channel
