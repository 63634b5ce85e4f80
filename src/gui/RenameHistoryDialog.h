// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/RenameHistory.h"

#include <QDialog>

class QListWidget;
class QPushButton;
class QSpinBox;
class QTreeWidget;
class Session;

// File > "Rename History...": the kept passes with their time, folder,
// count and state, the steps of the one selected, and "Undo This Pass",
// which undoes it as quillon-cli undo --journal does, even after later
// passes (with a warning when one of them renamed the same names). How
// many passes are kept is set here too.
class RenameHistoryDialog : public QDialog
{
    Q_OBJECT
public:
    RenameHistoryDialog(Session& session, QWidget* parent);

    QTreeWidget* passList;
    QListWidget* stepList;
    QPushButton* undoButton;
    QSpinBox* keepBox;

    void undoSelected();

private:
    void fill();
    void showSteps();
    QString passText(qsizetype index) const;

    Session& m_session;
    QList<RenameHistory::Pass> m_passes;
};
