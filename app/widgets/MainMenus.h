#pragma once

class QMenu;
class QMenuBar;
class QUndoStack;

namespace channel {

struct MainMenus {
    QMenu* file;
    QMenu* edit;
    QMenu* tools;
    QMenu* about;
};

// Adds the main window's menus to `bar`, each with its Alt key (F10 opens
// the first): every item named by its text (its object name too), with its
// keys, 撤销 and 重做 enabled while `history` can
// undo or redo. The caller connects the items to their commands.
MainMenus AddMainMenus(QMenuBar& bar, QUndoStack& history);

}  // namespace channel
