// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class CliApp;
class Session;

// One function per command of quillon-cli; each returns the exit status.
// Their options were checked before (CliOptions).
namespace CliCommands
{

// The rows, or the listing in a format, to standard output or -o FILE.
int list(CliApp& app, Session& session);
// The rename pass over the list, its status texts as progress.
// --dry-run renames nothing and prints what the pass would do.
int rename(CliApp& app, Session& session);
// Undoes one rename pass from its journal (RenameJournal::undoFile).
int undo(CliApp& app, Session& session);
// Runs --command for every listed file; each line run is printed.
int batch(CliApp& app, Session& session);
// Shreds every listed file (--all) or the one whose "No." is N (--position
// N) or whose name is NAME (--name NAME); --dry-run names them instead.
int shred(CliApp& app, Session& session);

} // namespace CliCommands
