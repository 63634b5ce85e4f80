// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SessionPreset.h"

#include "app/NameGenerator.h"
#include "app/NamingOrder.h"
#include "app/Session.h"
#include "app/TakenOrder.h"
#include "filelist/NaturalOrder.h"

Preset SessionPreset::current(const Session& session)
{
    Preset preset;
    const NamingRules rules = session.namingRules();
    // The session's inputs passed the boxes' key rules; a value a preset
    // refuses (an empty padding) is left out and so keeps its default. A
    // template makes the whole name: the pattern, extension and replace
    // pair have no say beside it, as with quillon-cli's --template.
    if (rules.templateText) {
        std::ignore = preset.set(QStringLiteral("template"), *rules.templateText);
    } else {
        std::ignore = preset.set(QStringLiteral("pattern"), session.pattern());
        std::ignore = preset.set(QStringLiteral("ext"), session.extension());
    }
    std::ignore = preset.set(QStringLiteral("zeros"), session.padding());
    if (!rules.templateText && !session.replaceText().isEmpty()) {
        std::ignore = preset.set(QStringLiteral("replace"), session.replaceText());
        std::ignore = preset.set(QStringLiteral("with"), session.replaceWith());
    }
    // "Match case" off is the expression's own (?i), as quillon-cli writes it.
    if (rules.expression) {
        const QString caseless = rules.matchCase ? QString() : QStringLiteral("(?i)");
        std::ignore = preset.set(QStringLiteral("regex"), caseless + *rules.expression);
        std::ignore = preset.set(QStringLiteral("with"), rules.expressionWith);
    }
    std::ignore = preset.set(QStringLiteral("filter"), session.typeFilter());
    if (const int column = session.sorter().lastSortColumn(); column > 0)
        std::ignore = preset.set(QStringLiteral("sort"), ListColumns::cliName(column));
    if (rules.swaps)
        std::ignore = preset.set(QStringLiteral("cycles"), QStringLiteral("true"));
    return preset;
}

QString SessionPreset::apply(const Preset& preset, Session& session)
{
    auto valueOr = [&preset](const char* key, const QString& fallback) {
        const QString name = QString::fromLatin1(key);
        return preset.has(name) ? preset.value(name) : fallback;
    };
    // The template and expression first: a preset whose own cannot be made
    // (checked when it was read, so only in theory) changes nothing.
    NamingRules rules = session.namingRules();
    rules.templateText = std::nullopt;
    rules.expression = std::nullopt;
    if (preset.has(QStringLiteral("template")))
        rules.templateText = preset.value(QStringLiteral("template"));
    if (preset.has(QStringLiteral("regex"))) {
        rules.expression = preset.value(QStringLiteral("regex"));
        rules.expressionWith = preset.value(QStringLiteral("with"));
    }
    rules.matchCase = true;
    QString why;
    const std::optional<NamingOrder> order = NamingOrder::create(rules, why);
    if (!order)
        return why;
    session.setNaming(std::make_shared<const NamingOrder>(*order));
    session.setSwapsAllowed(preset.value(QStringLiteral("cycles")) == QLatin1String("true"));
    const QString pattern = valueOr("pattern", QStringLiteral("New_Filename_#"));
    session.setPattern(pattern == NameGenerator::sameItem() ? QString() : pattern);
    session.setExtension(valueOr("ext", NameGenerator::keepExtension()));
    session.setReplaceText(valueOr("replace", QString()));
    session.setReplaceWith(preset.has(QStringLiteral("replace")) ? valueOr("with", QString())
                                                                 : QString());
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
    return QString();
}
