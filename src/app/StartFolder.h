// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class FileSystem;

// The folder the window starts in, from the one argument it may be given: a
// folder is listed itself, a file (as a menu entry's "%f" or a file
// manager's "Open with" passes it) gives its folder. The window lists the
// current folder at start, so that folder becomes the current one.
namespace StartFolder
{

// Makes the folder of argument the current folder; returns 0, or the file
// error code when it cannot be entered (the current folder is left alone).
int enter(FileSystem& fs, const QString& argument);

} // namespace StartFolder
