#pragma once

class CliApp;
class Session;

// One function per command of quillon-cli; each returns the exit status.
namespace CliCommands
{

int list(CliApp& app, Session& session);
// The rename pass over the list: progress texts, then "Renaming Completed".
// --dry-run renames nothing and prints what the pass would do.
int rename(CliApp& app, Session& session);
// Undoes one rename pass from its journal (RenameJournal::undoFile).
int undo(CliApp& app, Session& session);
// Runs --command for every listed file; each line run is printed.
int batch(CliApp& app, Session& session);
// Shreds every listed file (--all) or the Nth listed one (--position N,
// counted from 1 in the listed order); refuses without --yes.
int shred(CliApp& app, Session& session);

} // namespace CliCommands
