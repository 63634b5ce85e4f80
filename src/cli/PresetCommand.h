// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class CliApp;

// quillon-cli preset list | show NAME | save NAME [naming options] [--yes] |
// delete NAME, and --preset NAME beside the other commands. The presets
// themselves are PresetStore's, shared with the window.
class PresetCommand
{
public:
    explicit PresetCommand(CliApp& app) : m_app(app) {}

    // words: what follows "preset" on the command line. Returns the status.
    int run(const QStringList& words);
    // The command line with the options of the preset named by --preset put
    // before those typed, less those the typed ones replace or command does
    // not take; nothing when the preset cannot be read (said on stderr).
    std::optional<QStringList> expand(const QStringList& arguments, const QString& command);

private:
    int save(const QString& name);
    int fail(const QString& why);

    CliApp& m_app;
};
