// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CliCommand.h"

// quillon-cli undo: undoes one rename pass from its journal
// (RenameJournal::undoFile), or lists the kept passes.
class UndoCommand : public CliCommand
{
public:
    // An undo works from its journal alone: no folder to list.
    bool needsList() const override { return false; }
    int run(CliApp& app, Session& session) override;
};
