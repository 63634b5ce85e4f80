// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Where rename journals are kept between sessions: $XDG_STATE_HOME/quillon/,
// else ~/.local/state/quillon/. Every pass of the window (and of quillon-cli
// without --undo-file) writes one journal there, named after the moment it
// started (rename-YYYYMMDD-HHMMSS-mmm-PID.journal, so the names sort in time
// order). A quillon-cli pass with --undo-file keeps its journal in that file
// and leaves a reference to it there (rename-...-PID.ref, holding the path),
// so every pass is in the list wherever its journal lives. The newest keep()
// entries are kept. The folder must be a folder of its own: where it is a
// symbolic link, no journal or reference is written, read or removed
// through it.
namespace JournalFolder
{

constexpr int Keep = 20; // the default of keep()
constexpr int MostKept = 1000;

// How many passes are kept: the setting "keep" of the history in
// $XDG_CONFIG_HOME/quillon/history.ini (else ~/.config/...), Keep when
// unset or not a number from 1 to MostKept.
int keep();
// Sets it; false when the setting cannot be written.
bool setKeep(int passes);
// How many passes are kept and where that is set, in words for the user.
QString keptText();

QString path(); // ends in "/"
// Whether the folder is a symbolic link (looked at itself, not followed).
bool isLink();
// A fresh journal path; creates the folder (only the user may read it).
// Empty when the folder cannot be made or is not a folder of its own.
QString newJournal();
// Puts the journal at journalPath (a pass's --undo-file) in the list, as
// the newest pass; an older reference to the same path is dropped. False
// when the reference cannot be written.
bool remember(const QString& journalPath);
// The journals of the kept passes, oldest first, as full paths: those in
// the folder and those referred to, as long as their files are there.
QStringList journals();
// Removes all but the newest keep() entries; a reference goes, never the
// file it refers to.
void prune();

} // namespace JournalFolder
