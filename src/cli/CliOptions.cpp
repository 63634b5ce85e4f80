// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliOptions.h"

#include "app/AttributeChoice.h"
#include "app/NameGenerator.h"
#include "app/Preset.h"
#include "filelist/ListColumns.h"
#include "platform/DateText.h"
#include "platform/FileName.h"
#include "platform/FileSystem.h"

namespace
{

// Options with a value, then flags.
const char* const ValueOptions[] = {
    "filter",   "pattern",   "zeros",       "ext",        "replace",     "with",
    "regex",    "template",  "replace-all", "with-all",   "search-name", "search-content",
    "sort",     "paste",     "format",      "output",     "attributes",  "created",
    "modified", "undo-file", "journal",     "on-failure", "command",     "position",
    "name",     "seed",      "normalize",   "preset",
};
const char* const Flags[] = {"dry-run", "all",    "yes",  "version",       "list",
                             "last",    "cycles", "help", "windows-names", "fit-length"};

// What picks the files, and what makes their new names.
const QStringList Selection{"filter", "search-name", "search-content", "sort"};
const QStringList Naming{"pattern",   "zeros",      "ext",          "replace",  "with",
                         "regex",     "template",   "replace-all",  "with-all", "paste",
                         "normalize", "fit-length", "windows-names"};

QStringList takenBy(const QString& command)
{
    QStringList own{"help", "version"};
    if (command == QLatin1String("preset"))
        return own + Preset::keys() + QStringList{"yes"};
    // A preset gives the naming inputs and the selection's filter and sort.
    if (command != QLatin1String("undo"))
        own << QStringLiteral("preset");
    // Random names repeat a run with --seed wherever names are made.
    if (command == QLatin1String("list"))
        return own + Selection + Naming + QStringList{"seed", "format", "output"};
    if (command == QLatin1String("rename"))
        return own + Selection + Naming + QStringList{"seed",       "attributes", "created",
                                                      "modified",   "dry-run",    "undo-file",
                                                      "on-failure", "cycles"};
    if (command == QLatin1String("undo"))
        return own + QStringList{"undo-file", "journal", "last", "list"};
    if (command == QLatin1String("batch"))
        return own + Selection + Naming + QStringList{"seed", "command", "attributes", "yes"};
    if (command == QLatin1String("shred"))
        return own + Selection + QStringList{"all", "position", "name", "yes", "dry-run"};
    return own;
}

// The parser names an option as it was typed: -o for --output, -h for --help.
QString canonical(const QString& typed)
{
    if (typed == QLatin1String("o"))
        return QStringLiteral("output");
    if (typed == QLatin1String("h"))
        return QStringLiteral("help");
    return typed;
}

QString shown(const QString& typed)
{
    return (typed.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + typed;
}

int countSet(const QCommandLineParser& parser, const QStringList& names)
{
    int n = 0;
    for (const QString& name : names)
        n += parser.isSet(name) ? 1 : 0;
    return n;
}

// The options a command needs.
QString missing(const QCommandLineParser& parser, const QString& command, bool folderGiven)
{
    const QString naming = QStringLiteral("one of --pattern, --template, --paste, --regex");
    const bool named = countSet(parser, CliOptions::namingOptions()) > 0;
    if (command == QLatin1String("rename")) {
        if (!folderGiven)
            return QStringLiteral("rename needs a folder");
        if (!named)
            return QStringLiteral("rename needs ") + naming;
    } else if (command == QLatin1String("batch")) {
        if (!parser.isSet(QStringLiteral("command")))
            return QStringLiteral("batch needs --command \"LINE\"");
        if (!folderGiven)
            return QStringLiteral("batch needs a folder");
        // A batch that never reads the new names needs none made.
        if (!named && parser.value(QStringLiteral("command")).contains(QLatin1String("Destnames$")))
            return QStringLiteral("batch needs %1 for Destnames$").arg(naming);
    } else if (command == QLatin1String("shred")) {
        if (countSet(parser, {"all", "position", "name"}) != 1)
            return QStringLiteral("shred needs one of --all, --position N, --name NAME");
        if (!parser.isSet(QStringLiteral("yes")) && !parser.isSet(QStringLiteral("dry-run")))
            return QStringLiteral(
                "shred overwrites and deletes files for good: add --yes to go ahead");
    } else if (command == QLatin1String("undo")) {
        if (folderGiven)
            return QStringLiteral("undo takes no folder");
        if (countSet(parser, {"last", "journal", "undo-file", "list"}) != 1)
            return QStringLiteral(
                "undo needs one of --last, --journal FILE, --undo-file FILE, --list");
    }
    return QString();
}

// The texts typed into the naming boxes pass the boxes' key filter: a
// character a file name cannot hold is refused rather than dropped, so the
// person sees why. The extension box's list item ".???" is the exception.
QString namingTextFault(const QCommandLineParser& parser)
{
    for (const char* name : {"pattern", "ext", "replace", "with", "replace-all", "with-all"}) {
        QString text = parser.value(QString::fromLatin1(name));
        // The template of --regex writes its groups and backslash with "\".
        if (QLatin1String(name) == QLatin1String("with") && parser.isSet(QStringLiteral("regex")))
            text.remove(QLatin1Char('\\'));
        if (QLatin1String(name) == QLatin1String("ext") && text == NameGenerator::keepExtension())
            continue;
        if (!FileName::isAllowed(text))
            return QStringLiteral("--%1 cannot hold any of ").arg(QLatin1String(name)) +
                   FileName::forbiddenList();
    }
    return QString();
}

// --regex and --template: the plain replace pair cannot be used beside a
// regular expression (they share --with), nor the pattern boxes beside a
// template that replaces them.
QString namingConflict(const QCommandLineParser& parser)
{
    auto isSet = [&](const char* name) { return parser.isSet(QString::fromLatin1(name)); };
    if (isSet("regex") && isSet("replace"))
        return QStringLiteral("--regex and --replace cannot be combined");
    for (const char* other : {"pattern", "ext", "replace"}) {
        if (isSet("template") && isSet(other))
            return QStringLiteral("--template builds the whole name; it cannot be combined "
                                  "with --%1")
                .arg(QLatin1String(other));
    }
    return QString();
}

// The value of each option given, as the command will read it.
QString badValue(const QCommandLineParser& parser, const QString& command)
{
    auto isSet = [&](const char* name) { return parser.isSet(QString::fromLatin1(name)); };
    auto value = [&](const char* name) { return parser.value(QString::fromLatin1(name)); };
    auto not_ = [](const QString& text) { return QStringLiteral(", not \"%1\"").arg(text); };
    const QString zeros = value("zeros");
    if (isSet("zeros") && (zeros.isEmpty() || zeros.count(QLatin1Char('0')) != zeros.size()))
        return QStringLiteral("--zeros takes zeros, such as 000") + not_(zeros);
    // The window's extension box writes what is typed, dot or not; here an
    // extension without its dot is far more likely a slip than a wish.
    const QString ext = value("ext");
    if (!ext.isEmpty() && !ext.startsWith(QLatin1Char('.')))
        return QStringLiteral("--ext takes an extension with its dot, such as .jpg") + not_(ext);
    for (const QString& sort : parser.values(QStringLiteral("sort"))) {
        if (!CliOptions::sortNames().contains(sort, Qt::CaseInsensitive))
            return QStringLiteral("--sort takes no, created, modified, name, newname, size, "
                                  "natural or taken") +
                   not_(sort);
    }
    bool number = false;
    if (isSet("position") && (value("position").toInt(&number) < 1 || !number))
        return QStringLiteral("--position takes a No. of the list, from 1") +
               not_(value("position"));
    for (const char* search : {"search-name", "search-content"}) {
        if (isSet(search) && value(search).isEmpty())
            return QStringLiteral("--%1 needs a text").arg(QLatin1String(search));
    }
    if (isSet("regex") && !isSet("with"))
        return QStringLiteral("--regex needs --with (--with \"\" deletes the matches)");
    if (isSet("with") && !isSet("replace") && !isSet("regex"))
        return QStringLiteral("--with goes with --replace or --regex");
    if (isSet("format") && !CliOptions::listFormats().contains(value("format").toLower()))
        return QStringLiteral("--format takes tsv, csv, rtf, xls, xlsx or json") +
               not_(value("format"));
    if (isSet("normalize") && value("normalize") != QLatin1String("nfc") &&
        value("normalize") != QLatin1String("nfd"))
        return QStringLiteral("--normalize takes nfc or nfd") + not_(value("normalize"));
    if (isSet("attributes") && command == QLatin1String("rename") &&
        !CliOptions::renameAttributes(value("attributes")))
        return QStringLiteral("--attributes takes none, or normal, R, H, S separated by commas");
    if (isSet("attributes") && command == QLatin1String("batch") &&
        !CliOptions::batchAttributes(value("attributes")))
        return QStringLiteral("--attributes takes none, normal or R,H,S");
    if (isSet("on-failure") && !CliOptions::failureAnswer(value("on-failure")))
        return QStringLiteral("--on-failure takes retry, skip or stop");
    for (const char* date : {"created", "modified"}) {
        if (isSet(date) && !DateText::isDate(value(date)))
            return QStringLiteral("--%1: \"%2\" is not a date").arg(date, value(date));
    }
    if (const QString fault = namingTextFault(parser); !fault.isEmpty())
        return fault;
    return namingConflict(parser);
}

} // namespace

QList<QCommandLineOption> CliOptions::all()
{
    QList<QCommandLineOption> options;
    for (const char* name : ValueOptions) {
        QStringList names{QString::fromLatin1(name)};
        if (names.first() == QLatin1String("output"))
            names.prepend(QStringLiteral("o"));
        options << QCommandLineOption(names, QString(), QStringLiteral("VALUE"));
    }
    for (const char* flag : Flags) {
        QStringList names{QString::fromLatin1(flag)};
        if (names.first() == QLatin1String("help"))
            names.prepend(QStringLiteral("h"));
        options << QCommandLineOption(names);
    }
    return options;
}

QString CliOptions::fault(const QCommandLineParser& parser, const QString& command,
                          bool folderGiven)
{
    const QStringList taken = takenBy(command);
    for (const QString& typed : parser.optionNames()) {
        if (!taken.contains(canonical(typed)))
            return QStringLiteral("%1 does not take %2").arg(command, shown(typed));
    }
    if (const QString need = missing(parser, command, folderGiven); !need.isEmpty())
        return need;
    return badValue(parser, command);
}

bool CliOptions::takes(const QString& command, const QString& option)
{
    return takenBy(command).contains(option);
}

const QStringList& CliOptions::namingOptions()
{
    static const QStringList names{"pattern", "template", "paste", "regex"};
    return names;
}

const QStringList& CliOptions::listFormats()
{
    static const QStringList formats{"tsv", "csv", "rtf", "xls", "xlsx", "json"};
    return formats;
}

QString CliOptions::listFormat(const QCommandLineParser& parser)
{
    if (parser.isSet(QStringLiteral("format")))
        return parser.value(QStringLiteral("format")).toLower();
    const QString output = parser.value(QStringLiteral("output"));
    const QString extension = FileName::extension(output).mid(1).toString().toLower();
    return output != QLatin1String("-") && listFormats().contains(extension)
               ? extension
               : QStringLiteral("tsv");
}

std::optional<int> CliOptions::renameAttributes(const QString& text)
{
    if (text.compare(QLatin1String("none"), Qt::CaseInsensitive) == 0)
        return -1;
    static const struct {
        const char* shortName;
        const char* longName;
        int box;
    } boxes[] = {{"N", "normal", AttributeChoice::Normal},
                 {"R", "readonly", AttributeChoice::Readonly},
                 {"H", "hidden", AttributeChoice::Hidden},
                 {"S", "system", AttributeChoice::System}};
    AttributeChoice choice;
    for (const QString& word : text.split(QLatin1Char(','))) {
        const QString w = word.trimmed();
        bool known = false;
        for (const auto& b : boxes) {
            if (w.compare(QLatin1String(b.shortName), Qt::CaseInsensitive) == 0 ||
                w.compare(QLatin1String(b.longName), Qt::CaseInsensitive) == 0) {
                choice.setChecked(b.box, true);
                known = true;
            }
        }
        if (!known)
            return std::nullopt;
    }
    return choice.renameValue();
}

std::optional<int> CliOptions::batchAttributes(const QString& text)
{
    if (text.isEmpty() || text.compare(QLatin1String("none"), Qt::CaseInsensitive) == 0 ||
        text.compare(QLatin1String("normal"), Qt::CaseInsensitive) == 0)
        return 0;
    int sum = 0;
    for (const QString& letter : text.split(QLatin1Char(','))) {
        const QString l = letter.trimmed().toUpper();
        if (l == QLatin1String("R"))
            sum |= FileSystem::ReadOnly;
        else if (l == QLatin1String("H"))
            sum |= FileSystem::Hidden;
        else if (l == QLatin1String("S"))
            sum |= FileSystem::System;
        else
            return std::nullopt;
    }
    return sum;
}

std::optional<Prompter::FailureAnswer> CliOptions::failureAnswer(const QString& text)
{
    if (text == QLatin1String("retry"))
        return Prompter::FailureAnswer::Retry;
    if (text == QLatin1String("skip"))
        return Prompter::FailureAnswer::Skip;
    if (text == QLatin1String("stop"))
        return Prompter::FailureAnswer::Stop;
    return std::nullopt;
}

const QStringList& CliOptions::sortNames()
{
    static const QStringList names = [] {
        QStringList n;
        for (int column = 0; column < ListColumns::Count; ++column)
            n << ListColumns::cliName(column);
        return n << QStringLiteral("natural") << QStringLiteral("taken");
    }();
    return names;
}
