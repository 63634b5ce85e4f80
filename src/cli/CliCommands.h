#pragma once

class CliApp;
class Session;

// One function per command of quillon-cli; each returns the exit status.
namespace CliCommands
{

int list(CliApp& app, Session& session);

} // namespace CliCommands
