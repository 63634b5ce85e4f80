// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CliCommand.h"

// quillon-cli list: the rows, or the listing in a format, to standard output
// or -o FILE.
class ListCommand : public CliCommand
{
public:
    int run(CliApp& app, Session& session) override;
};
