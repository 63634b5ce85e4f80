// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>
#include <QVariant>

// The design-time settings of a control: a small case-insensitive key/value
// store. read() gives the default for a missing key.
class PropertyBag
{
public:
    QVariant read(const QString& name, const QVariant& defaultValue = {}) const;
    void write(const QString& name, const QVariant& value);

private:
    QHash<QString, QVariant> m_values; // keyed by the lower-cased name
};
