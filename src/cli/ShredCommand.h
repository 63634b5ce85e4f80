// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CliCommand.h"

// quillon-cli shred: shreds every listed file (--all) or the one whose "No."
// is N (--position N) or whose name is NAME (--name NAME); --dry-run names
// them instead.
class ShredCommand : public CliCommand
{
public:
    int run(CliApp& app, Session& session) override;
};
