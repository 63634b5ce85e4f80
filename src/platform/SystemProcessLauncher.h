// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ProcessLauncher.h"

// The real program start on Linux: fork and exec, detached, in the folder
// given (else the process's current folder), every argument byte for byte, PATH searched as usual
// (the current folder is not, as everywhere on Linux). The command processor "cmd" (any letter
// case, with or without ".exe") stands for the user's terminal: $TERMINAL, else
// x-terminal-emulator, else xterm; words after it are passed to the terminal.
class SystemProcessLauncher : public ProcessLauncher
{
public:
    int start(const QStringList& arguments, WindowState state, const QString& folder) override;
    // Runs arguments[0] as start() does, but in this session and to its end:
    // a file error code as start() gives, and the program's exit status
    // (128 + the signal's number when a signal ended it).
    static int run(const QStringList& arguments, const QString& folder, int& exitStatus);

    // The terminal program and its own arguments, as chosen right now.
    static QStringList terminal();
    static bool isCommandProcessor(const QString& program);
};
