#pragma once
// The main window's commands as actions with their captions, shortcuts, pictures and hints,
// and the menus that list them. Each action and menu is named by its design name
// (objectName); a feature adds its own actions to a menu found by that name.

class QAction;
class QMainWindow;
class QMenu;

struct MainWindowMenus {
    explicit MainWindowMenus(QMainWindow& window);

    // The command list (ActionList1).
    QAction* ActionClose = nullptr;
    QAction* ActionOpenFile = nullptr;
    QAction* ActionFont = nullptr;
    QAction* ActionOptions = nullptr;
    QAction* ActionLekce = nullptr;
    QAction* ActionPause = nullptr;
    QAction* ActionContinue = nullptr;
    QAction* ActionMenuPauseContinue = nullptr;
    QAction* ActionResetLekci = nullptr;
    QAction* Napoveda11 = nullptr;
    QAction* MenuOaplikaci = nullptr;

    QMenu* Soubor1 = nullptr;     // "Soubor lekce": lessons, own texts, the end
    QMenu* MenuPsani = nullptr;   // "Psaní": pause, continue, start again
    QMenu* MenuProgram = nullptr; // "Program": font and options
    QMenu* Help1 = nullptr;       // "Help"
    QMenu* PopupMenu1 = nullptr;  // the window's context menu
};
