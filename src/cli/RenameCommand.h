// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CliCommand.h"

// quillon-cli rename: the rename pass over the list, its status texts as
// progress. --dry-run renames nothing and prints what the pass would do.
class RenameCommand : public CliCommand
{
public:
    int run(CliApp& app, Session& session) override;
};
