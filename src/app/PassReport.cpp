// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PassReport.h"

#include "DryRunFileSystem.h"
#include "RenameJournal.h"
#include "output/DiskErrors.h"
#include "platform/FileErrors.h"
#include "platform/FileName.h"
#include "platform/FileNameCodec.h"

QString PassReport::summary(int shown) const
{
    const int left = m_tried - m_renamed;
    QString text =
        QStringLiteral("%1 of %2 renamed; %3 not renamed:").arg(m_renamed).arg(m_tried).arg(left);
    const qsizetype listed =
        shown < 0 ? m_failures.size() : qMin<qsizetype>(shown, m_failures.size());
    for (qsizetype i = 0; i < listed; ++i)
        text +=
            QLatin1Char('\n') + m_failures[i].name + QStringLiteral(": ") + m_failures[i].reason;
    if (listed < m_failures.size())
        text += QStringLiteral("\n... and %1 more").arg(m_failures.size() - listed);
    if (m_notReached > 0)
        text += QStringLiteral("\nThe pass stopped: %1 more not reached").arg(m_notReached);
    return text;
}

QString PassReport::takenReason(const QString& target)
{
    return QStringLiteral("its new name \"%1\" is taken").arg(target);
}

QString PassReport::reasonFor(int code, const QString& target)
{
    switch (code) {
    case FileErrors::FileNotFound:
        return QStringLiteral("the file is gone");
    case FileErrors::FileExists:
        return takenReason(target);
    case FileErrors::InvalidCall:
        return QStringLiteral("the medium is read-only");
    case FileErrors::PathAccess:
        // The names the pass refuses itself say why, as the dry run does.
        if (!FileName::isPlainName(target))
            return QStringLiteral("\"%1\" is not a file name").arg(target);
        if (FileNameCodec::encode(target).size() > DryRunFileSystem::MaxNameBytes)
            return QStringLiteral("\"%1\" is longer than 255 bytes").arg(target);
        return QStringLiteral("\"%1\" cannot be a file name here (too long, or not allowed)")
            .arg(target);
    default:
        return DiskErrors::text(code);
    }
}

QString PassReport::attributesReason(int code)
{
    return QStringLiteral("its attributes cannot be set (%1)").arg(DiskErrors::text(code));
}
