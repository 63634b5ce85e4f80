// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProcessLauncher.h"

#include <QProcess>

QStringList ProcessLauncher::split(const QString& commandLine)
{
    return QProcess::splitCommand(commandLine);
}
