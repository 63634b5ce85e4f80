// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "BatchFrame.h"

#include "FormParts.h"
#include "SlotGuard.h"

#include "app/BatchRunner.h"
#include "app/Session.h"

#include "controls/RenderedButton.h"
#include <QComboBox>
#include <QLabel>

BatchFrame::BatchFrame(Session& session, ProcessLauncher& launcher,
                       std::function<int()> attributeValue, QWidget* parent)
    : QGroupBox(parent), m_runner(new BatchRunner(session, launcher, this)),
      m_attributeValue(std::move(attributeValue))
{
    commandLineBox =
        FormParts::editableBox(this, m_runner->commandLine, m_runner->history,
                               QStringLiteral("Run a command line for each of the source "
                                              "filenames..."));
    FormParts::place(commandLineBox, 135, 270, 8385, 390);
    consoleButton =
        FormParts::command(this, QStringLiteral("CMD"), QStringLiteral("Command Windows..."));
    FormParts::place(consoleButton, 8595, 270, 780, 420); // below the caption line
    executeButton = FormParts::command(this, QStringLiteral("Execute"),
                                       QStringLiteral("Execute Command Batch..."));
    FormParts::place(executeButton, 9405, 270, 1320, 420);
    runningLineLabel = new QLabel(this);
    runningLineLabel->setStyleSheet(QStringLiteral("color: rgb(0, 0, 255); font-weight: normal;"));
    FormParts::moveTo(runningLineLabel, 2340, 15);

    commandLineBox->setObjectName(QStringLiteral("commandLineBox"));
    executeButton->setObjectName(QStringLiteral("executeButton"));
    consoleButton->setObjectName(QStringLiteral("consoleButton"));
    runningLineLabel->setObjectName(QStringLiteral("runningLineLabel"));

    // The list is read again after a batch, which may have copied into the
    // folder, deleted from it or changed attributes.
    connect(executeButton, &RenderedButton::clicked, this, [this, &session] {
        SlotGuard::run(session.prompter(), [this, &session] {
            m_runner->commandLine = commandLineBox->currentText();
            if (m_runner->runForEveryFile(m_attributeValue()))
                session.scanFolder();
        });
    });
    connect(consoleButton, &RenderedButton::clicked, this, [this, &session] {
        SlotGuard::run(session.prompter(), [this] { m_runner->openTerminal(); });
    });
    connect(m_runner, &BatchRunner::lineAppended, this, [this](const QString& line) {
        const QString text = commandLineBox->currentText();
        commandLineBox->addItem(line);
        commandLineBox->setEditText(text);
    });
    connect(m_runner, &BatchRunner::lineShown, this, [this](const QString& line) {
        runningLineLabel->setText(line);
        runningLineLabel->adjustSize();
    });
    connect(m_runner, &BatchRunner::executeEnabledChanged, executeButton,
            &RenderedButton::setEnabled);
}
