// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "OpenAction.h"

#include "platform/FileSystem.h"
#include "platform/ShellOpen.h"

#include <QStringList>

bool OpenAction::isPictureName(const QString& name)
{
    static const QStringList types = {
        QStringLiteral(".jpg"), QStringLiteral(".gif"), QStringLiteral(".bmp"),
        QStringLiteral(".wmf"), QStringLiteral(".emf"), QStringLiteral(".ico"),
        QStringLiteral(".rle"), QStringLiteral(".png"),
    };
    const QString lower = name.toLower();
    for (const QString& type : types) {
        if (lower.contains(type))
            return true;
    }
    return false;
}

bool OpenAction::isProgram(const QString& name)
{
    // The name's own text decides, not the folders above it.
    const QString lower = name.section(QLatin1Char('/'), -1).toLower();
    return lower.contains(QLatin1String(".exe")) || lower.endsWith(QLatin1String(".desktop")) ||
           ShellOpen::hasExecuteBit(name);
}

OpenAction::Action OpenAction::decide(const QString& name)
{
    if (name.isEmpty())
        return Action::Nothing;
    if (isPictureName(name.section(QLatin1Char('/'), -1)))
        return Action::Preview;
    if (isProgram(name))
        return Action::Nothing;
    return Action::Open;
}

OpenAction::Action OpenAction::openListedFile(const QString& name, ShellOpen& shell,
                                              const std::function<void(const QString&)>& preview,
                                              FileSystem& fs)
{
    const Action action = decide(name);
    if (action == Action::Preview)
        preview(name);
    else if (action == Action::Open)
        shell.open(fullPath(name, fs));
    return action;
}

QString OpenAction::fullPath(const QString& name, FileSystem& fs)
{
    if (name.startsWith(QLatin1Char('/')))
        return name;
    QString folder = fs.currentFolder();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder + name;
}
