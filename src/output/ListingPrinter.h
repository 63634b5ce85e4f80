// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What the listing needs from a printer: the width of a page, a horizontal
// print position, bold on and off, items printed on the current line, line
// ends and the end of the document. Lengths are twips (1/1440 inch). Printing
// below the last line of a page goes on at the top of the next page.
// QtListingPrinter is the real one; tests record the calls.
class ListingPrinter
{
public:
    virtual ~ListingPrinter() = default;
    // The printable width of a page.
    virtual double pageWidth() const = 0;
    virtual void setCurrentX(double twips) = 0;
    virtual void setBold(bool bold) = 0;
    // Prints at the current position, which moves right past the text.
    virtual void print(const QString& text) = 0;
    // Ends the line: the position moves to the start of the next line.
    virtual void newLine() = 0;
    // Sends the document to the printer.
    virtual void endDoc() = 0;
    // Gives up the document; nothing more of it is printed.
    virtual void abort() = 0;
    // True once the printer has failed.
    virtual bool failed() const = 0;
};
