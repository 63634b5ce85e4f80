// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class MainWindow;
class PresetMenu;
class QAction;
class QMenu;
class Session;

// The main window's menu bar: File, Search, Names, Shredder and About, their
// entries and keys. The window connects the entries to what they do; this
// class only makes and names them.
class WindowMenus : public QObject
{
    Q_OBJECT
public:
    WindowMenus(MainWindow& window, Session& session);

    // The entries, public for the window and for tests (which may also find
    // them by object name: the same words).
    QAction* undoRenameAction;
    QAction* previewAction; // Space in the list, too
    QAction* rescanAction;
    QAction* renameHistoryAction;
    QAction* copyListingAction;
    QAction* saveListingAction;
    QAction* printListingAction;
    QAction* copyNewNamesAction;
    QAction* pasteNewNamesAction;
    QAction* exitAction;
    QAction* searchNamesAction;
    QAction* searchContentsAction;
    QAction* matchCaseAction; // the name search tells capitals from small letters
    QMenu* namesMenu;         // Template and Expression, Natural Order, Allow Swaps and Shifts
    QAction* namesPanelAction;
    QAction* naturalOrderAction;
    QAction* allowSwapsAction;
    QAction* shredFileAction;
    QMenu* shredAllMenu;
    QAction* confirmShredAllAction;
    QAction* makerPageAction;
    PresetMenu* presetMenu;

private:
    void buildFileMenu(MainWindow& window);
    void buildSearchMenu(MainWindow& window);
    void buildNamesMenu(MainWindow& window, Session& session);
    void buildShredderMenu(MainWindow& window);
    void buildAboutMenu(MainWindow& window);
    void setShortcuts();
    void nameEntries();
};
