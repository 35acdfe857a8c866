#include "MainWindowMenus.h"

#include "MainWindowControls.h"
#include "QtPicture.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

namespace {

struct ActionSpec {
    QAction* MainWindowMenus::*member;
    const char* name;
    const char* caption;
    QKeySequence shortcut;
    const char* picture; // under :/app/, or none
    const char* hint;
};

const ActionSpec kActions[] = {
    {&MainWindowMenus::ActionClose, "ActionClose", "&Konec", QKeySequence(Qt::CTRL | Qt::Key_Q),
     "door", "Finito | Konec prace s programem"},
    {&MainWindowMenus::ActionOpenFile, "ActionOpenFile", "&Vlastní text",
     QKeySequence(Qt::CTRL | Qt::Key_O), "sheet",
     "Otevři textový soubor s vlastní lekcí | Načíst vlastní textový soubor s Winodows "
     "kódováním češtiny"},
    {&MainWindowMenus::ActionFont, "ActionFont", "&Font", QKeySequence(Qt::CTRL | Qt::Key_F),
     "brush", "Font použitý při psaní | Výběr druhu a velikosti fontu v okně psaní"},
    {&MainWindowMenus::ActionOptions, "ActionOptions", "&Nastavení možností",
     QKeySequence(Qt::CTRL | Qt::Key_N), "tools",
     "Nastavení možností chování programu | Možnost volby zobrazení, zvuků, chování při zavření "
     "programu apod."},
    {&MainWindowMenus::ActionLekce, "ActionLekce", "&Otevřít lekci",
     QKeySequence(Qt::CTRL | Qt::Key_L), nullptr, "Otevřít soubor s lekcí"},
    {&MainWindowMenus::ActionPause, "ActionPause", "Přerušit psaní", QKeySequence(Qt::Key_F8),
     "pause", "Pozastavit dočasně psaní"},
    {&MainWindowMenus::ActionContinue, "ActionContinue", "Pokračovat", QKeySequence(Qt::Key_F9),
     "continue", "Pokračovat v psaní"},
    {&MainWindowMenus::ActionMenuPauseContinue, "ActionMenuPauseContinue", "&Start/Stop psaní",
     QKeySequence(Qt::Key_F10), nullptr, "Pozastavit či pokračovat v psaní lekce či souboru"},
    {&MainWindowMenus::ActionResetLekci, "ActionResetLekci", "&Začít znovu",
     QKeySequence(Qt::CTRL | Qt::Key_F2), nullptr,
     "Začít psát otevřený soubor nebo lekci od začátku"},
};

// Qt switches off the shortcut of a hidden action, but a command runs by its key whatever
// the state (F8 in STOP mode, F9 while typing): while the action is hidden, a shortcut of the
// window with the same key triggers it. Only then, or the key would be ambiguous.
void KeepShortcutWhenHidden(QMainWindow& window, QAction* action) {
    auto* shortcut = new QShortcut(action->shortcut(), &window);
    shortcut->setObjectName(action->objectName() + QStringLiteral("Hidden"));
    shortcut->setContext(action->shortcutContext());
    QObject::connect(shortcut, &QShortcut::activated, action, &QAction::trigger);
    const auto sync = [shortcut, action] { shortcut->setEnabled(!action->isVisible()); };
    sync();
    QObject::connect(action, &QAction::changed, shortcut, sync);
}

} // namespace

MainWindowMenus::MainWindowMenus(QMainWindow& window) {
    for (const ActionSpec& design : kActions) {
        auto* action = new QAction(QString::fromUtf8(design.caption), &window);
        action->setObjectName(QLatin1String(design.name));
        action->setShortcut(design.shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
        if (design.picture != nullptr) {
            action->setIcon(QtPicture::Icon(QStringLiteral(":/app/%1.svg").arg(design.picture)));
        }
        SetHint(action, QString::fromUtf8(design.hint));
        window.addAction(action);
        KeepShortcutWhenHidden(window, action);
        this->*design.member = action;
    }
    Napoveda11 = new QAction(QStringLiteral("&Napoveda"), &window);
    Napoveda11->setObjectName(QStringLiteral("Napoveda11"));
    Napoveda11->setShortcut(QKeySequence(Qt::Key_F1));
    Napoveda11->setShortcutContext(Qt::WindowShortcut);
    window.addAction(Napoveda11);
    MenuOaplikaci = new QAction(QStringLiteral("&O aplikaci"), &window);
    MenuOaplikaci->setObjectName(QStringLiteral("MenuOaplikaci"));

    QMenuBar* bar = window.menuBar();
    const auto menu = [bar](const char* name, const QString& caption) {
        QMenu* m = bar->addMenu(caption);
        m->setObjectName(QLatin1String(name));
        return m;
    };
    Soubor1 = menu("Soubor1", QStringLiteral("&Soubor lekce"));
    Soubor1->addAction(ActionLekce);
    Soubor1->addAction(ActionOpenFile);
    Soubor1->addSeparator();
    Soubor1->addAction(ActionClose);
    MenuPsani = menu("MenuPsani", QString::fromUtf8("&Psaní"));
    MenuPsani->addAction(ActionPause);
    MenuPsani->addAction(ActionContinue);
    MenuPsani->addAction(ActionMenuPauseContinue);
    MenuPsani->addSeparator();
    MenuPsani->addAction(ActionResetLekci);
    MenuProgram = menu("MenuProgram", QStringLiteral("P&rogram")); // Alt+P is Psaní's
    MenuProgram->addAction(ActionFont);
    MenuProgram->addAction(ActionOptions);
    Help1 = menu("Help1", QStringLiteral("&Help"));
    Help1->addAction(Napoveda11);
    Help1->addAction(MenuOaplikaci);

    PopupMenu1 = new QMenu(&window);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->addAction(ActionOpenFile);
    PopupMenu1->addAction(ActionClose);
}
