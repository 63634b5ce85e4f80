// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class FolderBrowser;
class QComboBox;
class QFrame;
class QGroupBox;
class QLineEdit;
class QWidget;
class RenderedButton;
class Session;

// The window's top row: the listed folder's box, the file type filter, the
// "Select" button and the folder panel it opens under the box. The panel
// opens on the listed folder, closes on Escape or when the focus leaves it,
// and reports the folder clicked in it.
class FolderRow : public QObject
{
    Q_OBJECT
public:
    // The parts are made on inner, the window's inner area.
    FolderRow(Session& session, QWidget* inner);

    QGroupBox* folderFrame;
    QLineEdit* folderBox;
    QComboBox* typeFilterBox;
    RenderedButton* selectFolderButton;
    QFrame* folderPanel;
    FolderBrowser* folderBrowser;

    void togglePanel();

signals:
    // A folder clicked in the browser, now in the folder box.
    void folderChosen();
    // Return in the filter box or a filter picked from its list.
    void filterEntered();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void buildFolderBox(QWidget* inner);
    void buildPanel(QWidget* inner);
    void chooseFolder();

    Session& m_session;
    bool m_panelJustClosed = false;
};
