// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class Prompter;
class QListWidget;
class QPushButton;

// Names > Presets > "Manage...": the saved presets, to rename or delete.
class PresetManagerDialog : public QDialog
{
    Q_OBJECT
public:
    PresetManagerDialog(Prompter& prompter, QWidget* parent);

    QListWidget* presetList;
    QPushButton* renameButton;
    QPushButton* deleteButton;

    void renameSelected();
    void deleteSelected();

private:
    void fill();
    QString selected() const;

    Prompter& m_prompter;
};
