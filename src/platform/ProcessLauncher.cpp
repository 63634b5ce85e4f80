// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProcessLauncher.h"

#include "SystemProcessLauncher.h"

#include <QProcess>

namespace
{
ProcessLauncher* injected = nullptr;
}

ProcessLauncher& ProcessLauncher::instance()
{
    static SystemProcessLauncher real;
    return injected ? *injected : real;
}

void ProcessLauncher::setInstance(ProcessLauncher* launcher)
{
    injected = launcher;
}

QStringList ProcessLauncher::split(const QString& commandLine)
{
    return QProcess::splitCommand(commandLine);
}
