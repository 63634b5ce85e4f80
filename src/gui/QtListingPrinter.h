// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "output/ListingPrinter.h"
#include "output/ListingSource.h"
#include "platform/Prompter.h"

#include <QFont>
#include <QPainter>

#include <memory>

class QPrinter;

// A ListingPrinter on a QPrinter: the default printer for "&Print
// Directory...", or any QPrinter (a PDF file, say). Text goes in the
// printer's own font at the current position; a line that does not fit below
// the last one goes to the top of a new page.
class QtListingPrinter : public ListingPrinter
{
public:
    // Starts the document on printer, which must outlive this object.
    explicit QtListingPrinter(QPrinter& printer);
    ~QtListingPrinter() override;

    // The default printer, or null when none is installed.
    static std::unique_ptr<QtListingPrinter> openDefault();
    // Prints the listing on the default printer (the menu entry's work).
    static bool printListing(const ListingSource& source, Prompter& prompter, FileSystem& fs);

    double pageWidth() const override;
    void setCurrentX(double twips) override;
    void setBold(bool bold) override;
    void print(const QString& text) override;
    void newLine() override;
    void endDoc() override;
    void abort() override;
    bool failed() const override;

private:
    QtListingPrinter(std::unique_ptr<QPrinter> owned);
    double toDevice(double twips) const;
    double lineHeight() const;

    std::unique_ptr<QPrinter> m_owned;
    QPrinter& m_printer;
    QPainter m_painter;
    double m_x = 0; // twips from the left of the printable area
    double m_y = 0; // device units from the top of the printable area
    bool m_failed = false;
};
