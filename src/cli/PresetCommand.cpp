// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PresetCommand.h"

#include "CliApp.h"
#include "CliOptions.h"
#include "CliOutput.h"

#include "app/PresetStore.h"

int PresetCommand::fail(const QString& why)
{
    m_app.prompter().message(QStringLiteral("quillon-cli: ") + why);
    return m_app.status();
}

int PresetCommand::run(const QStringList& words)
{
    const QString action = words.value(0);
    const bool named = action != QLatin1String("list");
    if (!QStringList{"list", "show", "save", "delete"}.contains(action))
        return m_app.usageError(QStringLiteral("preset takes list, show NAME, save NAME or "
                                               "delete NAME"));
    if (words.size() != (named ? 2 : 1))
        return m_app.usageError(named ? QStringLiteral("preset %1 needs one NAME").arg(action)
                                      : QStringLiteral("preset list takes no NAME"));
    const QCommandLineParser& options = m_app.options();
    const bool saving = action == QLatin1String("save");
    if (!saving && !options.optionNames().isEmpty())
        return m_app.usageError(QStringLiteral("preset %1 takes no options").arg(action));
    if (const QString fault = CliOptions::fault(options, QStringLiteral("preset"), false);
        !fault.isEmpty())
        return m_app.usageError(fault);
    if (saving)
        return save(words[1]);
    if (action == QLatin1String("list")) {
        for (const QString& name : PresetStore::names())
            CliOutput::out(name);
        return m_app.status();
    }
    if (action == QLatin1String("delete")) {
        const QString why = PresetStore::remove(words[1]);
        return why.isEmpty() ? m_app.status() : fail(why);
    }
    Preset preset;
    if (const QString why = PresetStore::load(words[1], preset); !why.isEmpty())
        return fail(why);
    CliOutput::out(QString::fromUtf8(preset.text()).chopped(1));
    return m_app.status();
}

// The naming options given, as the preset's keys; --yes replaces a preset
// of that name.
int PresetCommand::save(const QString& name)
{
    const QCommandLineParser& options = m_app.options();
    Preset preset;
    for (const QString& key : Preset::keys()) {
        if (!options.isSet(key))
            continue;
        const QString value = key == QLatin1String("sort")     ? options.values(key).join(',')
                              : key == QLatin1String("cycles") ? QStringLiteral("true")
                                                               : options.value(key);
        if (const QString why = preset.set(key, value); !why.isEmpty())
            return m_app.usageError(QStringLiteral("--") + why);
    }
    const bool replace = options.isSet(QStringLiteral("yes"));
    if (!replace && PresetStore::exists(name))
        return fail(
            QStringLiteral("a preset \"%1\" exists already: add --yes to replace it").arg(name));
    const QString why = PresetStore::save(name, preset, replace);
    return why.isEmpty() ? m_app.status() : fail(why);
}

std::optional<QStringList> PresetCommand::expand(const QStringList& arguments,
                                                 const QString& command)
{
    const QCommandLineParser& options = m_app.options();
    Preset preset;
    if (const QString why = PresetStore::load(options.value(QStringLiteral("preset")), preset);
        !why.isEmpty()) {
        fail(why);
        return std::nullopt;
    }
    QStringList given;
    for (const QString& typed : options.optionNames())
        given << typed;
    const QStringList fromPreset = preset.arguments(
        given, [&command](const QString& key) { return CliOptions::takes(command, key); });
    return arguments.mid(0, 1) + fromPreset + arguments.mid(1);
}
