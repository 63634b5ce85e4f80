// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The journal reader, as `quillon-cli undo` reads a journal file (or an undo
// record of older versions), and the undo plan made from what it read: an
// undo may only rename plain names inside the journal's one folder.

#include "FuzzInput.h"

#include "app/RenameJournal.h"
#include "platform/FileName.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const FuzzInput in(data, size);
    RenameJournal::Contents journal;
    QString why;
    if (!RenameJournal::read(in.bytes(), journal, why)) {
        FUZZ_CHECK(!why.isEmpty());
        return 0;
    }
    FUZZ_CHECK(journal.undecided >= 0 && journal.undecided <= journal.plan.size());
    const RenameJournal::UndoPlan undo = RenameJournal::undoSteps(journal);
    FUZZ_CHECK(undo.steps.size() == undo.checked.size());
    for (const RenameJournal::Step& step : undo.steps)
        FUZZ_CHECK(FileName::isPlainName(step.from) && FileName::isPlainName(step.to));
    return 0;
}
