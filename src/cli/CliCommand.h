// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class CliApp;
class Session;

// One command of quillon-cli. Its options were checked before it runs
// (CliOptions), and the session is prepared as the window would have it
// (CliApp::prepare) unless the command works without a list.
class CliCommand
{
public:
    virtual ~CliCommand() = default;
    // Whether the folder is listed and the new names made before run.
    virtual bool needsList() const { return true; }
    // Returns the exit status.
    virtual int run(CliApp& app, Session& session) = 0;
};
