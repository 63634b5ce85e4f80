// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DateFailures.h"

#include "output/DiskErrors.h"
#include "platform/FieldText.h"
#include "platform/FileErrors.h"

namespace
{

const int ShownFailures = 20; // files named in a message; the others are counted

} // namespace

void DateFailures::clear()
{
    m_named.clear();
    m_count = 0;
}

void DateFailures::note(const QString& name, int code)
{
    if (code == FileErrors::None || code == FileErrors::FileNotFound)
        return;
    if (m_named.size() < ShownFailures)
        m_named << FieldText::escaped(name) + QStringLiteral(": ") + DiskErrors::text(code);
    ++m_count;
}

QString DateFailures::message() const
{
    if (m_count == 0)
        return QString();
    QString text =
        m_count == 1 ? QStringLiteral("The dates of 1 file could not be written:\n")
                     : QStringLiteral("The dates of %1 files could not be written:\n").arg(m_count);
    text += m_named.join(QLatin1Char('\n'));
    if (m_count > m_named.size())
        text += QStringLiteral("\nand %1 more.").arg(m_count - m_named.size());
    return text;
}
