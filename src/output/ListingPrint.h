// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ListingPrinter.h"
#include "ListingSource.h"
#include "platform/Prompter.h"

// "&Print Directory...": the listing printed as four columns (number,
// creation date, size read from disk, name) under a bold heading. The
// columns start at 0, 7 % of the page width, a further 20 % and a further
// 1400 twips; the page width is the printable width, since positions count
// from the printable area's left edge. Pages follow on without repeating the
// headings.
class ListingPrint
{
public:
    struct Columns {
        double number = 0, date = 0, size = 0, name = 0;
    };
    static Columns columnsFor(double pageWidth);

    // A number as the printer writes it: a blank in place of the sign of a
    // positive number and one blank after it (" 12 ", "-3 ").
    static QString numberText(qint64 value);

    // printer is null when there is none. Every failure (no printer, a
    // printer error, a listed file gone) shows "Error Occured, Please check
    // your printer." and gives up the document. True when it was printed.
    static bool print(const ListingSource& source, ListingPrinter* printer, Prompter& prompter,
                      FileSystem& fs);

    static QString errorText();

private:
    static bool printAll(const ListingSource& source, ListingPrinter& printer, FileSystem& fs);
};
