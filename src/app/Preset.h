// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// A saved set of naming inputs, the same for the window and quillon-cli:
// each key is the long name of the quillon-cli option that sets the input
// (pattern, zeros, ext, replace, with, template, regex, filter, sort,
// cycles), each value the text that option takes. A key left out means the
// input keeps its default. Every value is checked when it is set or read,
// and the keys are checked against each other, so a preset in hand is one
// that both front ends can apply whole.
//
// The text is INI-like, one input per line, written and read by hand:
//   # comment (also ";"), blank lines allowed
//   version=1
//   pattern=Holiday_#
//   sort=natural,newname     (the --sort clicks, in order, separated by ",")
//   cycles=true              (true or false)
// The value is everything after the first "=", spaces included.
class Preset
{
public:
    static constexpr int FormatVersion = 1;

    // The keys a preset may hold, in the order they are written.
    static const QStringList& keys();
    // Reads a preset text; on a fault returns nothing and sets why to
    // "line N: ..." (or a text without a line when a line is missing).
    static std::optional<Preset> read(const QByteArray& bytes, QString& why);
    QByteArray text() const;

    // Sets one input; the fault in words, or "" when the value was taken.
    QString set(const QString& key, const QString& value);
    // The inputs that cannot go together (as quillon-cli refuses them), or
    // ""; key, when given, is set to the key the fault is about.
    QString conflict(QString* key = nullptr) const;
    bool has(const QString& key) const { return m_values.contains(key); }
    QString value(const QString& key) const { return m_values.value(key); }
    const QMap<QString, QString>& values() const { return m_values; }
    bool isEmpty() const { return m_values.isEmpty(); }

    // The preset as quillon-cli options, leaving out what the options given
    // beside it replace (given: their long names) and what command does not
    // take (takes).
    QStringList arguments(const QStringList& given,
                          const std::function<bool(const QString&)>& takes) const;

private:
    QMap<QString, QString> m_values;
};
