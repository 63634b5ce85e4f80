// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FolderRow.h"

#include "FormParts.h"
#include "MainWindowLayout.h"

#include "app/Session.h"
#include "controls/FolderBrowser.h"
#include "controls/RenderedButton.h"
#include "controls/ScrollBar.h"
#include "controls/Twips.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace
{

void place(QWidget* w, const PartGeometry& part)
{
    FormParts::place(w, part.left, part.top, part.width, part.height);
}

} // namespace

FolderRow::FolderRow(Session& session, QWidget* inner) : QObject(inner), m_session(session)
{
    buildFolderBox(inner);
    buildPanel(inner);
}

void FolderRow::buildFolderBox(QWidget* inner)
{
    namespace Layout = MainWindowLayout;
    folderFrame = FormParts::frame(inner, QStringLiteral("Drive / Directory :"));
    place(folderFrame, Layout::folderFrame);
    folderBox = new QLineEdit(inner);
    folderBox->setToolTip(QStringLiteral("Select Source Directory..."));
    // Read-only: it takes no typing, and leaves Ctrl+Z to the window's undo.
    folderBox->setReadOnly(true);
    folderBox->installEventFilter(this);
    place(folderBox, Layout::folderBox);
    typeFilterBox = FormParts::editableBox(
        inner, QStringLiteral("*.*"),
        {QStringLiteral("*.*"), QStringLiteral("*.JPG"), QStringLiteral("*.PNG"),
         QStringLiteral("*.GIF"), QStringLiteral("*.TXT"), QStringLiteral("*.DOC"),
         QStringLiteral("*.OCX"), QStringLiteral("*.DLL"), QStringLiteral("*.ZIP"),
         QStringLiteral("*.RAR"), QStringLiteral("*.HTM"), QStringLiteral("*.MP3")},
        QStringLiteral("Selected File Type..."));
    typeFilterBox->installEventFilter(this);
    typeFilterBox->lineEdit()->installEventFilter(this);
    place(typeFilterBox, Layout::typeFilterBox);
    connect(typeFilterBox, qOverload<int>(&QComboBox::activated), this, [this](int index) {
        typeFilterBox->setEditText(typeFilterBox->itemText(index));
        emit filterEntered();
    });
    connect(typeFilterBox->lineEdit(), &QLineEdit::returnPressed, this, &FolderRow::filterEntered);
    selectFolderButton = FormParts::command(inner, QStringLiteral("Select"),
                                            QStringLiteral("Choose and Select File Directory...."));
    place(selectFolderButton, Layout::selectFolderButton);
    connect(selectFolderButton, &RenderedButton::clicked, this, &FolderRow::togglePanel);
}

void FolderRow::buildPanel(QWidget* inner)
{
    folderPanel = new QFrame(inner);
    folderPanel->setAutoFillBackground(true);
    folderPanel->setPalette(QPalette(Qt::white));
    folderPanel->setFrameShape(QFrame::Box);
    place(folderPanel, MainWindowLayout::folderPanel);
    folderPanel->hide();
    folderBrowser = new FolderBrowser(m_session.fs(), folderPanel);
    place(folderBrowser, MainWindowLayout::folderBrowser);
    folderBrowser->installEventFilter(this);
    folderBrowser->scrollBar()->installEventFilter(this);
    folderPanel->installEventFilter(this);
    connect(folderBrowser, &FolderBrowser::clicked, this, &FolderRow::chooseFolder);
}

bool FolderRow::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == folderBox) {
        if (e->type() == QEvent::MouseButtonRelease)
            togglePanel();
    } else if (watched == folderBrowser && e->type() == QEvent::KeyPress &&
               static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) {
        // Escape closes the panel; the keys go back to the button that opens it.
        folderPanel->hide();
        selectFolderButton->setFocus(Qt::OtherFocusReason);
        m_panelJustClosed = false;
        return true;
    } else if ((watched == folderBrowser || watched == folderBrowser->scrollBar()) &&
               e->type() == QEvent::FocusOut && QApplication::focusWidget() != folderBrowser &&
               !folderBrowser->isAncestorOf(QApplication::focusWidget())) {
        // The focus going into the browser's own scroll bar stays in the panel.
        folderPanel->hide();
        m_panelJustClosed = true;
    } else if (watched == folderPanel && e->type() == QEvent::Resize) {
        // The browser fills the panel but for a hair on the right.
        folderBrowser->resize(folderPanel->contentsRect().width() -
                                  Twips::toPixelsX(4, folderPanel) - folderBrowser->x(),
                              folderBrowser->height());
    } else if ((watched == typeFilterBox || watched == typeFilterBox->lineEdit()) &&
               e->type() == QEvent::FocusIn) {
        folderPanel->hide();
    }
    return QObject::eventFilter(watched, e);
}

void FolderRow::togglePanel()
{
    m_session.setUndoEnabled(false);
    if (!m_panelJustClosed) {
        if (!folderPanel->isVisible()) {
            QString listed = m_session.folder(); // the panel opens on the listed folder
            folderBrowser->openFolder(listed);
        }
        folderPanel->setVisible(!folderPanel->isVisible());
        if (folderPanel->isVisible())
            folderBrowser->setFocus(Qt::OtherFocusReason); // its keys work at once
    }
    m_panelJustClosed = false;
}

// A folder chosen in the browser becomes the listed folder.
void FolderRow::chooseFolder()
{
    const QString path = folderBrowser->selectedPath();
    if (!path.isEmpty())
        folderBox->setText(path);
    m_session.setUndoEnabled(false);
    emit folderChosen();
}
