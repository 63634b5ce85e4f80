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
// Renames back the files of an undo record written by rename --undo-file.
int undo(CliApp& app, Session& session);

} // namespace CliCommands
