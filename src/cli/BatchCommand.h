// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CliCommand.h"

// quillon-cli batch: runs --command for every listed file; each line run is
// printed.
class BatchCommand : public CliCommand
{
public:
    int run(CliApp& app, Session& session) override;
};
