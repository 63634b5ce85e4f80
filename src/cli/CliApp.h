// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CliCommand.h"
#include "ConsolePrompter.h"
#include "platform/PosixFileSystem.h"

#include <QCommandLineParser>
#include <QStringList>

#include <map>
#include <memory>
#include <optional>

class NamingOrder;
class Session;
struct NamingRules;

// quillon-cli: the window's operations from a terminal. It reads its
// arguments, checks them for the command (CliOptions), prepares a Session
// as the window would (scan, filter, search, sort, generator, template,
// regular expression, replace, paste, sort by new name, numbering) and runs
// one command (a CliCommand) on it. Exit status: 0 when the work ran without
// a message, 1 when a message was shown, 2 for a usage error.
class CliApp
{
public:
    CliApp();
    int run(const QStringList& arguments);

    QCommandLineParser& options() { return m_parser; }
    ConsolePrompter& prompter() { return m_prompter; }
    // A usage error: one line saying why, then where to read more; status 2.
    int usageError(const QString& why);
    // A path typed on the command line, made absolute against the folder
    // quillon-cli was started in (the scan makes the listed folder current).
    QString absolutePath(const QString& path) const;
    // 0 or 1 depending on whether a message was shown.
    int status() const { return m_prompter.messageCount() ? 1 : 0; }

private:
    std::optional<int> prepare(Session& session);
    NamingRules namingRules() const;
    bool afterNames(Session& session, const NamingOrder& order);
    bool folderReadable(class FileSystem& fs, const QString& folder);
    void warnIfFull(Session& session);
    bool pasteNames(Session& session, const QString& path);
    bool search(Session& session);
    QString usage() const;

    QCommandLineParser m_parser;
    ConsolePrompter m_prompter;
    PosixFileSystem m_fs; // the file system every command works through
    std::map<QString, std::unique_ptr<CliCommand>> m_commands;
    QString m_startFolder;
};
