// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Preset.h"

#include "app/NameGenerator.h"
#include "app/NameTemplate.h"
#include "app/RegexReplace.h"
#include "filelist/ListColumns.h"
#include "platform/FileName.h"

namespace
{

const QLatin1String VersionKey("version");

bool isSortName(const QString& name)
{
    return ListColumns::fromCliName(name) >= 0 ||
           name.compare(QLatin1String("natural"), Qt::CaseInsensitive) == 0 ||
           name.compare(QLatin1String("taken"), Qt::CaseInsensitive) == 0;
}

// The fault of one value on its own, as quillon-cli words it for its option.
QString valueFault(const QString& key, const QString& value)
{
    const QString not_ = QStringLiteral(", not \"%1\"").arg(value);
    if (value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r')))
        return QStringLiteral("%1 cannot hold a line break").arg(key);
    if (key == QLatin1String("zeros") &&
        (value.isEmpty() || value.count(QLatin1Char('0')) != value.size()))
        return QStringLiteral("zeros takes zeros, such as 000") + not_;
    if (key == QLatin1String("ext") && value != NameGenerator::keepExtension() &&
        !value.isEmpty() && !value.startsWith(QLatin1Char('.')))
        return QStringLiteral("ext takes an extension with its dot, such as .jpg") + not_;
    const bool typed = key == QLatin1String("pattern") || key == QLatin1String("replace") ||
                       (key == QLatin1String("ext") && value != NameGenerator::keepExtension());
    if (typed && !FileName::isAllowed(value))
        return QStringLiteral("%1 cannot hold any of %2").arg(key, FileName::forbiddenList());
    if (key == QLatin1String("sort")) {
        for (const QString& name : value.split(QLatin1Char(','))) {
            if (!isSortName(name))
                return QStringLiteral("sort takes no, created, modified, name, newname, size, "
                                      "natural or taken, separated by \",\"") +
                       not_;
        }
    }
    if (key == QLatin1String("cycles") && value != QLatin1String("true") &&
        value != QLatin1String("false"))
        return QStringLiteral("cycles takes true or false") + not_;
    QString why;
    if (key == QLatin1String("template") && !NameTemplate::create(value, why))
        return QStringLiteral("template: ") + why;
    return QString();
}

} // namespace

const QStringList& Preset::keys()
{
    static const QStringList names{"pattern",  "zeros", "ext",    "replace", "with",
                                   "template", "regex", "filter", "sort",    "cycles"};
    return names;
}

QString Preset::set(const QString& key, const QString& value)
{
    if (!keys().contains(key))
        return QStringLiteral("unknown key \"%1\"").arg(key);
    if (const QString fault = valueFault(key, value); !fault.isEmpty())
        return fault;
    m_values[key] = value;
    return QString();
}

QString Preset::conflict(QString* key) const
{
    QString unused;
    QString& about = key ? *key : unused;
    about = QStringLiteral("regex");
    if (has(QStringLiteral("regex"))) {
        if (has(QStringLiteral("replace")))
            return QStringLiteral("regex and replace cannot be combined");
        if (!has(QStringLiteral("with")))
            return QStringLiteral("regex needs with (an empty with deletes the matches)");
        QString why;
        if (!RegexReplace::create(value(QStringLiteral("regex")), value(QStringLiteral("with")),
                                  why))
            return QStringLiteral("regex: ") + why;
    } else if (has(QStringLiteral("with"))) {
        about = QStringLiteral("with");
        if (!has(QStringLiteral("replace")))
            return QStringLiteral("with goes with replace or regex");
        if (!FileName::isAllowed(value(QStringLiteral("with"))))
            return QStringLiteral("with cannot hold any of ") + FileName::forbiddenList();
    }
    about = QStringLiteral("template");
    for (const char* other : {"pattern", "ext", "replace"}) {
        if (has(QStringLiteral("template")) && has(QString::fromLatin1(other)))
            return QStringLiteral("template builds the whole name; it cannot be combined with %1")
                .arg(QLatin1String(other));
    }
    return QString();
}

std::optional<Preset> Preset::read(const QByteArray& bytes, QString& why)
{
    Preset preset;
    int version = 0;
    QMap<QString, int> lineOf;
    const QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    for (qsizetype n = 0; n < lines.size(); ++n) {
        QString line = lines[n];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')) ||
            trimmed.startsWith(QLatin1Char(';')))
            continue;
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1);
        auto fail = [&](const QString& fault) {
            why = QStringLiteral("line %1: %2").arg(n + 1).arg(fault);
            return std::nullopt;
        };
        if (equals < 0)
            return fail(QStringLiteral("not key=value"));
        if (key == VersionKey ? version != 0 : preset.has(key))
            return fail(QStringLiteral("\"%1\" is given twice").arg(key));
        if (key == VersionKey) {
            bool number = false;
            version = value.trimmed().toInt(&number);
            if (!number || version < 1)
                return fail(QStringLiteral("version takes a whole number from 1"));
            if (version > FormatVersion)
                return fail(QStringLiteral("written by a newer Quillon (format %1; this one reads "
                                           "format %2)")
                                .arg(version)
                                .arg(FormatVersion));
        } else if (const QString fault = preset.set(key, value); !fault.isEmpty()) {
            return fail(fault);
        }
        lineOf[key] = int(n + 1);
    }
    if (version == 0) {
        why = QStringLiteral("no \"version=%1\" line").arg(FormatVersion);
        return std::nullopt;
    }
    QString key;
    if (const QString fault = preset.conflict(&key); !fault.isEmpty()) {
        why = QStringLiteral("line %1: %2").arg(lineOf.value(key)).arg(fault);
        return std::nullopt;
    }
    return preset;
}

QByteArray Preset::text() const
{
    QString text = QStringLiteral("# Quillon preset: one naming input per line, as key=value; "
                                  "the keys are quillon-cli's options\n") +
                   QStringLiteral("version=%1\n").arg(FormatVersion);
    for (const QString& key : keys()) {
        if (has(key))
            text += key + QLatin1Char('=') + value(key) + QLatin1Char('\n');
    }
    return text.toUtf8();
}

QStringList Preset::arguments(const QStringList& given,
                              const std::function<bool(const QString&)>& takes) const
{
    // An option given beside the preset replaces its key, and the keys that
    // cannot go with it: a typed template replaces the preset's pattern.
    auto replaced = [&given](const QString& key) {
        auto typed = [&given](const char* name) { return given.contains(QLatin1String(name)); };
        if (given.contains(key))
            return true;
        if (key == QLatin1String("pattern") || key == QLatin1String("ext"))
            return typed("template");
        if (key == QLatin1String("replace"))
            return typed("template") || typed("regex");
        if (key == QLatin1String("template"))
            return typed("pattern") || typed("ext") || typed("replace");
        if (key == QLatin1String("regex"))
            return typed("replace");
        return false;
    };
    QStringList arguments;
    for (const QString& key : keys()) {
        if (!has(key) || replaced(key) || !takes(key))
            continue;
        // "with" belongs to the key it goes with; it goes when that goes.
        if (key == QLatin1String("with") &&
            ((has(QStringLiteral("regex")) && replaced(QStringLiteral("regex"))) ||
             (has(QStringLiteral("replace")) && replaced(QStringLiteral("replace")))))
            continue;
        if (key == QLatin1String("sort")) {
            for (const QString& click : value(key).split(QLatin1Char(',')))
                arguments << QStringLiteral("--sort=") + click;
        } else if (key == QLatin1String("cycles")) {
            if (value(key) == QLatin1String("true"))
                arguments << QStringLiteral("--cycles");
        } else {
            // One word, so that a value starting with "-" stays a value.
            arguments << QStringLiteral("--") + key + QLatin1Char('=') + value(key);
        }
    }
    return arguments;
}
