// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGroupBox>

#include <functional>

class BatchRunner;
class ProcessLauncher;
class QComboBox;
class QLabel;
class RenderedButton;
class Session;

// "Batch Command Line :": the command line box with the earlier lines in its
// list, Execute, CMD (a terminal window) and the blue label showing
// the line being run.
class BatchFrame : public QGroupBox
{
    Q_OBJECT
public:
    // attributeValue gives the Readonly/Hidden/System sum when Execute runs.
    BatchFrame(Session& session, ProcessLauncher& launcher, std::function<int()> attributeValue,
               QWidget* parent);

    QComboBox* commandLineBox;
    RenderedButton* executeButton;
    RenderedButton* consoleButton;
    QLabel* runningLineLabel;

    BatchRunner& runner() { return *m_runner; }

private:
    BatchRunner* m_runner;
    std::function<int()> m_attributeValue;
};
