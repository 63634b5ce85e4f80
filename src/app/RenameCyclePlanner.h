// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RenameJournal.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

class Session;

// Plans the renames of a pass so that names held by other files of the same
// pass are freed first: a shift (f1 -> f2, f2 -> f3) renames the last file
// first, and a cycle (a -> b, b -> a, or longer) moves one of its files to a
// temporary name in the same folder, renames the others, and moves that file
// on to its new name at the end. Nothing is ever renamed onto a name that is
// still held, so no file can be overwritten.
//
// A file whose new name is held by a file that is not being renamed (or by
// anything else in the folder: a hidden file, a folder), or whose new name
// an earlier listed file claims, cannot get it; neither can the files that
// wait for it to move. Their steps come last and go to the old name's target
// directly, so the pass treats them exactly as it treats a taken name
// without this planning.
//
// The plan is a list of plain renames, the plan of the pass's journal: a
// step from a temporary name is marked fromEarlierStep. Recorded in that
// order, an undo that walks the journal backwards restores every name,
// wherever the steps stopped.
class RenameCyclePlanner
{
public:
    using Step = RenameJournal::Step;
    struct Plan {
        QList<Step> steps;
        QList<QStringList> cycles; // each: its names in order, the first again at the end
        QList<int> blocked;        // indexes of the pairs that cannot get their new name
    };

    // pairs: (current name, new name) of every listed file in list order.
    // taken: every name in the folder, hidden files and folders included.
    static Plan plan(const std::vector<std::pair<QString, QString>>& pairs,
                     const QSet<QString>& taken);

    // The plan for the session's list: every listed file's current and new
    // name, against every name its folder holds.
    static Plan planFor(Session& session);

    // A name for a file in transit: free in the folder and used by no pair.
    static QString temporaryName(int k);
};
