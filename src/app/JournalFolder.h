#pragma once

#include <QString>
#include <QStringList>

// Where rename journals are kept between sessions: $XDG_STATE_HOME/quillon/,
// else ~/.local/state/quillon/. Every pass of the window (and of quillon-cli
// without --undo-file) writes one journal there, named after the moment it
// started (rename-YYYYMMDD-HHMMSS-mmm-PID.journal, so the names sort in time
// order); the newest Keep journals are kept. The folder must be a folder of
// its own: where it is a symbolic link, no journal is written, read or
// removed through it.
namespace JournalFolder
{

constexpr int Keep = 20;

QString path(); // ends in "/"
// Whether the folder is a symbolic link (looked at itself, not followed).
bool isLink();
// A fresh journal path; creates the folder (only the user may read it).
// Empty when the folder cannot be made or is not a folder of its own.
QString newJournal();
// The journals, oldest first, as full paths; none where the folder is not
// a folder of its own.
QStringList journals();
// Removes all but the newest Keep journals.
void prune();

} // namespace JournalFolder
