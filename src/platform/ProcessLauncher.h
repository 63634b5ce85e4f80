// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Starts programs for the batch command line and the CMD button: without
// waiting for them, in the folder given, and never through a shell, so a
// file name such as "a;rm -rf ~" is one argument and nothing else runs.
// Behind an interface so that tests can record what would start (see
// SystemProcessLauncher for the real thing).
class ProcessLauncher
{
public:
    // The window a started program should open in. Linux gives a starting
    // program no way to be told, so the real launcher only passes it along;
    // the batch still chooses it as the program always has.
    enum class WindowState { Normal, Minimised };

    virtual ~ProcessLauncher() = default;

    // Starts arguments[0] with the others as its arguments in folder (the
    // process's current folder when empty) and returns at once with a file
    // error code: 0 when it started, 53 when there is no program to start
    // (an empty line included). Arguments reach the program as the bytes
    // FileNameCodec gives them, also when they are not UTF-8.
    virtual int start(const QStringList& arguments, WindowState state, const QString& folder) = 0;

    // A command line as the program and its arguments: blanks separate,
    // double quotes group (QProcess::splitCommand).
    static QStringList split(const QString& commandLine);
};
