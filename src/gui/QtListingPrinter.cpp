// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtListingPrinter.h"

#include "output/ListingPrint.h"
#include "platform/BusyPointer.h"

#include <QFontMetricsF>
#include <QPrinter>
#include <QPrinterInfo>

namespace
{
constexpr double twipsPerInch = 1440.0;
}

QtListingPrinter::QtListingPrinter(QPrinter& printer) : m_printer(printer)
{
    m_failed = !m_painter.begin(&m_printer);
    if (m_failed)
        return;
    // File names are printed letter by letter: no "fi" ligature and the like.
    QFont font = m_painter.font();
    font.setStyleStrategy(QFont::PreferNoShaping);
    m_painter.setFont(font);
}

QtListingPrinter::QtListingPrinter(std::unique_ptr<QPrinter> owned) : QtListingPrinter(*owned)
{
    m_owned = std::move(owned);
}

QtListingPrinter::~QtListingPrinter()
{
    if (m_painter.isActive())
        m_painter.end();
}

std::unique_ptr<QtListingPrinter> QtListingPrinter::openDefault()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return nullptr;
    return std::unique_ptr<QtListingPrinter>(
        new QtListingPrinter(std::make_unique<QPrinter>(info, QPrinter::HighResolution)));
}

bool QtListingPrinter::printListing(const ListingSource& source, Prompter& prompter, FileSystem& fs)
{
    std::unique_ptr<QtListingPrinter> printer;
    {
        BusyPointer busy(prompter); // asking the print system may take a while
        printer = openDefault();
    }
    return ListingPrint::print(source, printer.get(), prompter, fs);
}

double QtListingPrinter::toDevice(double twips) const
{
    return twips * m_printer.resolution() / twipsPerInch;
}

double QtListingPrinter::lineHeight() const
{
    return QFontMetricsF(m_painter.font(), &m_printer).lineSpacing();
}

double QtListingPrinter::pageWidth() const
{
    const QRect page = m_printer.pageLayout().paintRectPixels(m_printer.resolution());
    return page.width() * twipsPerInch / m_printer.resolution();
}

void QtListingPrinter::setCurrentX(double twips)
{
    m_x = twips;
}

void QtListingPrinter::setBold(bool bold)
{
    if (m_failed)
        return;
    QFont font = m_painter.font();
    font.setBold(bold);
    m_painter.setFont(font);
}

void QtListingPrinter::print(const QString& text)
{
    if (m_failed)
        return;
    const double pageHeight =
        m_printer.pageLayout().paintRectPixels(m_printer.resolution()).height();
    if (m_y > 0 && m_y + lineHeight() > pageHeight) {
        m_failed = !m_printer.newPage();
        m_y = 0;
    }
    const QFontMetricsF metrics(m_painter.font(), &m_printer);
    m_painter.drawText(QPointF(toDevice(m_x), m_y + metrics.ascent()), text);
    m_x += metrics.horizontalAdvance(text) * twipsPerInch / m_printer.resolution();
}

void QtListingPrinter::newLine()
{
    m_x = 0;
    if (m_failed)
        return;
    m_y += lineHeight();
}

void QtListingPrinter::endDoc()
{
    if (!m_failed && !m_painter.end())
        m_failed = true;
}

void QtListingPrinter::abort()
{
    if (m_painter.isActive()) {
        m_printer.abort();
        m_painter.end();
    }
}

bool QtListingPrinter::failed() const
{
    return m_failed || m_printer.printerState() == QPrinter::Error;
}
