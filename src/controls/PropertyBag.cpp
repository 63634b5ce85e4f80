// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PropertyBag.h"

QVariant PropertyBag::read(const QString& name, const QVariant& defaultValue) const
{
    return m_values.value(name.toLower(), defaultValue);
}

void PropertyBag::write(const QString& name, const QVariant& value)
{
    m_values.insert(name.toLower(), value);
}
