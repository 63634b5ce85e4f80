// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "filelist/FileListModel.h"
#include "platform/Clipboard.h"
#include "platform/Prompter.h"

#include <QString>

// The listing as tab-separated text for the clipboard ("Copy Directory..."):
// a heading line, then number, creation date, size as the list shows it and
// name for every listed file in the shown order; lines end in CR LF.
class ListingCopy
{
public:
    // fileLast: the highest listed position, -1 when no file is listed.
    static QString listingText(const FileListModel& model, int fileLast, Prompter& prompter);
    // Clears the clipboard and puts the listing on it as plain text.
    static void copyListing(const FileListModel& model, int fileLast, Prompter& prompter,
                            Clipboard& clipboard);
    // The status line after the listing of `files` files was copied.
    static QString copiedText(int files);
};
