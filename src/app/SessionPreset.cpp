// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SessionPreset.h"

#include "app/NameGenerator.h"
#include "app/Session.h"
#include "app/TakenOrder.h"
#include "filelist/NaturalOrder.h"

Preset SessionPreset::current(const Session& session)
{
    Preset preset;
    // The session's inputs passed the boxes' key rules; a value a preset
    // refuses (an empty padding) is left out and so keeps its default.
    std::ignore = preset.set(QStringLiteral("pattern"), session.pattern());
    std::ignore = preset.set(QStringLiteral("zeros"), session.padding());
    std::ignore = preset.set(QStringLiteral("ext"), session.extension());
    if (!session.replaceText().isEmpty()) {
        std::ignore = preset.set(QStringLiteral("replace"), session.replaceText());
        std::ignore = preset.set(QStringLiteral("with"), session.replaceWith());
    }
    std::ignore = preset.set(QStringLiteral("filter"), session.typeFilter());
    if (const int column = session.sorter().lastSortColumn(); column > 0)
        std::ignore = preset.set(QStringLiteral("sort"), ListColumns::cliName(column));
    return preset;
}

QStringList SessionPreset::notApplicable(const Preset& preset)
{
    QStringList keys;
    for (const char* key : {"template", "regex"}) {
        if (preset.has(QString::fromLatin1(key)))
            keys << QString::fromLatin1(key);
    }
    if (preset.value(QStringLiteral("cycles")) == QLatin1String("true"))
        keys << QStringLiteral("cycles");
    return keys;
}

void SessionPreset::apply(const Preset& preset, Session& session)
{
    auto valueOr = [&preset](const char* key, const QString& fallback) {
        const QString name = QString::fromLatin1(key);
        return preset.has(name) ? preset.value(name) : fallback;
    };
    const QString pattern = valueOr("pattern", QStringLiteral("New_Filename_#"));
    session.setPattern(pattern == NameGenerator::sameItem() ? QString() : pattern);
    session.setExtension(valueOr("ext", NameGenerator::keepExtension()));
    session.setReplaceText(valueOr("replace", QString()));
    session.setReplaceWith(valueOr("with", QString()));
    session.setTypeFilter(valueOr("filter", QStringLiteral("*")));
    session.sorter() = ListColumns::newSorter();
    session.scanFolder();
    if (preset.has(QStringLiteral("sort"))) {
        for (const QString& click : preset.value(QStringLiteral("sort")).split(QLatin1Char(','))) {
            if (click.compare(QLatin1String("natural"), Qt::CaseInsensitive) == 0)
                NaturalOrder::sortByCurrentName(session.model());
            else if (click.compare(QLatin1String("taken"), Qt::CaseInsensitive) == 0)
                TakenOrder::sortByTaken(session);
            else
                session.sortByHeader(ListColumns::fromCliName(click));
        }
    }
    if (preset.has(QStringLiteral("zeros")))
        session.setPadding(preset.value(QStringLiteral("zeros")));
    session.generateNames();
}
