// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtPrompter.h"

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace
{
const QString Title = QStringLiteral("Quillon");
}

void QtPrompter::message(const QString& text)
{
    // A plain box: the text and OK, no icon.
    QMessageBox box(QMessageBox::NoIcon, Title, text, QMessageBox::Ok, m_parent);
    box.exec();
}

Prompter::FailureAnswer QtPrompter::failure(const QString& text)
{
    // OK tries the step again; Skip and Stop are the way out of a failure
    // that does not go away.
    QMessageBox box(QMessageBox::Warning, Title, text, QMessageBox::NoButton, m_parent);
    QPushButton* ok = box.addButton(QMessageBox::Ok);
    QPushButton* skip = box.addButton(QStringLiteral("Skip"), QMessageBox::ActionRole);
    box.addButton(QStringLiteral("Stop"), QMessageBox::RejectRole);
    box.setDefaultButton(ok);
    box.exec();
    if (box.clickedButton() == ok)
        return FailureAnswer::Retry;
    if (box.clickedButton() == skip)
        return FailureAnswer::Skip;
    return FailureAnswer::Stop;
}

bool QtPrompter::confirm(const QString& question)
{
    // No is the default: Enter or Escape pressed by habit destroys nothing.
    QMessageBox box(QMessageBox::Warning, Title, question, QMessageBox::Yes | QMessageBox::No,
                    m_parent);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> QtPrompter::input(const QString& prompt, const QString& title,
                                         const QString& defaultText)
{
    QInputDialog dialog(m_parent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    // A long prompt (the content search's) wraps, so the box fits a small
    // screen with its buttons.
    if (auto* label = dialog.findChild<QLabel*>())
        label->setWordWrap(true);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

void QtPrompter::setBusy(bool busy)
{
    if (busy) {
        if (m_busyDepth++ == 0)
            QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (m_busyDepth > 0 && --m_busyDepth == 0) {
        QApplication::restoreOverrideCursor();
    }
}

void QtPrompter::processEvents()
{
    QCoreApplication::processEvents();
}
