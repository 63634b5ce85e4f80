// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowMenus.h"

#include "MainWindow.h"
#include "PresetMenu.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QMenu>
#include <QMenuBar>
#include <QUrl>

namespace
{

// The maker's page. Quillon has no public site yet; this reserved address
// stands until one exists.
const char* const MakerPage = "https://quillon.example/";

} // namespace

WindowMenus::WindowMenus(MainWindow& window, Session& session) : QObject(&window)
{
    buildFileMenu(window);
    buildSearchMenu(window);
    setShortcuts();
    buildNamesMenu(window, session);
    buildShredderMenu(window);
    buildAboutMenu(window);
    nameEntries();
}

void WindowMenus::buildFileMenu(MainWindow& window)
{
    QMenu* file = window.menuBar()->addMenu(QStringLiteral("&File"));
    undoRenameAction = file->addAction(QStringLiteral("Undo Renaming..."));
    undoRenameAction->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
    undoRenameAction->setEnabled(false);
    renameHistoryAction = file->addAction(QStringLiteral("Rename History..."));
    file->addSeparator();
    copyListingAction = file->addAction(QStringLiteral("Copy Directory..."));
    saveListingAction = file->addAction(QStringLiteral("Save Directory..."));
    printListingAction = file->addAction(QStringLiteral("&Print Directory..."));
    file->addSeparator();
    // Ctrl+C and Ctrl+V belong to the window, but a focused text field takes
    // its own copy and paste first (Qt lets an editor override shortcuts it
    // handles), so typing in a box is never hijacked.
    copyNewNamesAction = file->addAction(QStringLiteral("Copy New Filenames..."));
    copyNewNamesAction->setShortcut(QKeySequence(QStringLiteral("Ctrl+C")));
    pasteNewNamesAction = file->addAction(QStringLiteral("Paste New Filenames..."));
    pasteNewNamesAction->setShortcut(QKeySequence(QStringLiteral("Ctrl+V")));
    exitAction = file->addAction(QStringLiteral("E&xit..."));
    connect(exitAction, &QAction::triggered, qApp, &QApplication::quit);
    previewAction = new QAction(QStringLiteral("Preview"), &window);
    rescanAction = new QAction(QStringLiteral("Rescan"), &window);
    file->insertActions(copyListingAction, {previewAction, rescanAction});
    file->insertSeparator(copyListingAction);
}

void WindowMenus::buildSearchMenu(MainWindow& window)
{
    QMenu* search = window.menuBar()->addMenu(QStringLiteral("Search"));
    searchNamesAction = search->addAction(QStringLiteral("Search Source Filenames..."));
    searchContentsAction = search->addAction(QStringLiteral("Search Inside Each Source File..."));
    search->addSeparator();
    matchCaseAction = search->addAction(QStringLiteral("Match case"));
    matchCaseAction->setCheckable(true);
}

void WindowMenus::buildNamesMenu(MainWindow& window, Session& session)
{
    namesMenu = window.menuBar()->addMenu(QStringLiteral("Names"));
    namesPanelAction = namesMenu->addAction(QStringLiteral("Template and Expression..."));
    naturalOrderAction = namesMenu->addAction(QStringLiteral("Natural Order"));
    allowSwapsAction = namesMenu->addAction(QStringLiteral("Allow Swaps and Shifts"));
    allowSwapsAction->setCheckable(true);
    namesMenu->addSeparator();
    presetMenu = new PresetMenu(session, window, namesMenu);
}

void WindowMenus::buildShredderMenu(MainWindow& window)
{
    QMenu* shredder = window.menuBar()->addMenu(QStringLiteral("Shredder"));
    shredFileAction = shredder->addAction(QString());
    shredFileAction->setVisible(false);
    shredAllMenu = shredder->addMenu(QStringLiteral("Shred ALL FILES in Current Directory..."));
    confirmShredAllAction = shredAllMenu->addAction(QStringLiteral("Are you sure ?"));
}

void WindowMenus::buildAboutMenu(MainWindow& window)
{
    QMenu* about = window.menuBar()->addMenu(QStringLiteral("&About"));
    const char* const lines[] = {
        "Rename and set attributes of up to 1,000,001 files at once.",
        nullptr,
        "Remember : Long filenames will fragment the file table, this will slow down the renaming "
        "process due ",
        "to relocation of large filenames in the file table. DEFRAG the hard disk afterwards will "
        "greatly increase ",
        "the speed of file access...",
    };
    for (const char* line : lines) {
        if (!line) {
            about->addSeparator();
            continue;
        }
        about->addAction(QString::fromLatin1(line))->setEnabled(false);
    }
    about->addSeparator();
    makerPageAction = about->addAction(QStringLiteral("Quillon Web Site..."));
    connect(makerPageAction, &QAction::triggered, this,
            [] { QDesktopServices::openUrl(QUrl(QString::fromLatin1(MakerPage))); });
}

// The keys a desktop user expects, shown in the menus. Space previews only
// while the list (or its scroll bar) has the focus, so it still ticks boxes
// and presses buttons everywhere else; the window gives the entry to them.
void WindowMenus::setShortcuts()
{
    const std::pair<QAction*, const char*> keys[] = {
        {rescanAction, "F5"},           {searchNamesAction, "Ctrl+F"},
        {saveListingAction, "Ctrl+S"},  {searchContentsAction, "Ctrl+Shift+F"},
        {printListingAction, "Ctrl+P"}, {exitAction, "Ctrl+Q"},
        {previewAction, "Space"},
    };
    for (const auto& [action, key] : keys)
        action->setShortcut(QKeySequence(QString::fromLatin1(key)));
    // Only the list and its scroll bar: the date pickers' boxes and buttons
    // inside the list keep their own Space.
    previewAction->setShortcutContext(Qt::WidgetShortcut);
}

// Object names in the words of the members, for tests and accessibility.
void WindowMenus::nameEntries()
{
    const std::pair<QObject*, const char*> names[] = {
        {undoRenameAction, "undoRenameAction"},
        {previewAction, "previewAction"},
        {rescanAction, "rescanAction"},
        {matchCaseAction, "matchCaseAction"},
        {renameHistoryAction, "renameHistoryAction"},
        {copyListingAction, "copyListingAction"},
        {saveListingAction, "saveListingAction"},
        {printListingAction, "printListingAction"},
        {copyNewNamesAction, "copyNewNamesAction"},
        {pasteNewNamesAction, "pasteNewNamesAction"},
        {exitAction, "exitAction"},
        {searchNamesAction, "searchNamesAction"},
        {searchContentsAction, "searchContentsAction"},
        {namesMenu, "namesMenu"},
        {namesPanelAction, "namesPanelAction"},
        {naturalOrderAction, "naturalOrderAction"},
        {allowSwapsAction, "allowSwapsAction"},
        {shredFileAction, "shredFileAction"},
        {shredAllMenu, "shredAllMenu"},
        {confirmShredAllAction, "confirmShredAllAction"},
        {makerPageAction, "makerPageAction"},
    };
    for (const auto& [object, name] : names)
        object->setObjectName(QLatin1String(name));
}
