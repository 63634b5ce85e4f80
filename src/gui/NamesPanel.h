// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class Session;

// Names -> "Template and Expression...": a panel beside the window with the
// template box (NameTemplate's tokens, legend below it), the regular
// expression with its "With" box, "Match case" and "Fit names to 255
// bytes". Every edit sets the session's naming inputs and starts new
// proposals off the interface thread (NameProposals), so the New Filenames column follows the
// typing; a fault is shown under its box with the place marked, and the inputs that last made names
// stay in force meanwhile. The rename button counts the files a pass would rename.
class NamesPanel : public QDialog
{
    Q_OBJECT
public:
    NamesPanel(Session& session, QWidget* parent);

    QLineEdit* templateBox;
    QLabel* legendLabel;
    QLineEdit* expressionBox;
    QLineEdit* withBox;
    QCheckBox* matchCaseBox;
    QCheckBox* fitLengthBox; // proposals over 255 bytes lose the end of their stem
    QLabel* faultLabel;
    QPushButton* renameButton;

    // The legend of the template's tokens (NameTemplate::legend), as a table.
    static QString legend();
    // The boxes as the session's naming rules hold them (a preset chosen).
    void showRules();

signals:
    void renameRequested();

private:
    void build();
    void inputsEdited();
    void showFault(const QString& why, const QString& text, qsizetype at);
    void countChanges();

    Session& m_session;
};
