// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class MainWindow;
class QAction;
class QMenu;
class Session;

// Names > "Presets": "Save Current..." keeps the window's naming inputs
// under a name, one entry per saved preset sets them all, "Manage..."
// renames and deletes presets. The entries are read afresh each time the
// menu opens, so a preset saved by quillon-cli shows at once.
class PresetMenu : public QObject
{
    Q_OBJECT
public:
    PresetMenu(Session& session, MainWindow& window, QMenu* names);

    QMenu* menu;
    QAction* saveAction;
    QAction* manageAction;

    void saveCurrent();
    void choose(const QString& name);

private:
    void fill();
    void showInputs();

    Session& m_session;
    MainWindow& m_window;
};
