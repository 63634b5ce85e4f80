// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QVariant>

// The design-time settings of a control: a small case-insensitive key/value
// store. read() gives the default for a missing key; write() stores a value
// and announces the change under the property's stored name.
class PropertyBag : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    QVariant read(const QString& name, const QVariant& defaultValue = {}) const;
    void write(const QString& name, const QVariant& value);
    bool contains(const QString& name) const;

signals:
    void propertyChanged(const QString& name);

private:
    QHash<QString, QVariant> m_values; // keyed by the lower-cased name
};
