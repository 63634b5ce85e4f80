// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class Session;

// The files in the order their pictures were taken (quillon-cli --sort
// taken): by the EXIF DateTimeOriginal of each, then the files without one
// by their modified date, files whose date cannot be read last. Files with
// the same time keep the order of the list as scanned (name order).
class TakenOrder
{
public:
    // Sorts the rows of the list, as a header click does: only the display
    // order changes.
    static void sortByTaken(Session& session);
};
