#include "CliApp.h"

#include "CliCommands.h"
#include "CliOutput.h"
#include "Version.h"

#include "app/FileSearch.h"
#include "app/NameGenerator.h"
#include "app/NameTemplate.h"
#include "app/NewNameClipboard.h"
#include "app/NewNameReplace.h"
#include "app/RegexReplace.h"
#include "app/Session.h"
#include "filelist/FolderScan.h"
#include "filelist/ListColumns.h"
#include "filelist/NaturalOrder.h"
#include "platform/FileName.h"
#include "platform/FileNameCodec.h"
#include "platform/FileSystem.h"
#include "platform/Random.h"

#include <QDir>

#include <algorithm>
#include <optional>
#include <tuple>

namespace
{

// The index sortClicks gives "natural", beside the header buttons 0..5.
const int NaturalClick = -1;

const char* const UsageText = R"(Usage:
  quillon-cli list   [DIR] [naming options] [--format tsv|csv|rtf|xls|xlsx] [-o FILE]
  quillon-cli rename [DIR] [naming options] [--attributes none|normal|R,H,S]
                           [--created DATE] [--modified DATE] [--dry-run]
                           [--undo-file FILE] [--on-failure retry|skip|stop]
                           [--cycles]
  quillon-cli undo   --last | --journal FILE | --undo-file FILE | --list
  quillon-cli batch  [DIR] [naming options] --command "LINE" [--attributes none|R,H,S]
                           [--yes]
  quillon-cli shred  [DIR] [naming options] (--all | --position N) --yes
  quillon-cli --version | --help

Lists and treats the files of one folder (DIR, default the current folder) as
the Quillon window does, with the same results.

Naming options:
  --filter TEXT          file-type filter as typed in the type box, e.g. "*.JPG"
  --pattern P            pattern (default "New_Filename_#"; # is the number)
  --zeros Z              number padding, e.g. 000 (default: from the file count)
  --ext X                new extension (default ".???": keep each file's own)
  --replace A --with B   the generator's replace pair
  --regex P --with T     after the pattern, every match of the regular
                         expression P in a new name becomes T; \0..\9 in T
                         insert the match and its groups, \\ a backslash.
                         Letter case counts unless P says (?i)
  --template TEXT        new names from tokens instead of --pattern:
                         {n} list position, {n:3} the same with 3 digits,
                         {name} name without extension, {ext} extension
                         with its dot, {created:FORMAT} {modified:FORMAT}
                         file dates (Qt format, e.g. yyyy-MM-dd),
                         {exif:TAG:FORMAT} picture date (DateTimeOriginal,
                         DateTimeDigitized), {exif:TAG} picture text (Model,
                         Make), {exif:TAG|text} with text for files without
                         the tag, {{ and }} braces. A file without a tag and
                         no fallback keeps its name (reported on stderr)
  --replace-all A --with-all B
                         replace in every new name (the Replace button)
  --search-name TEXT     keep the files whose name holds TEXT
  --search-content TEXT  keep the files whose content holds TEXT
  --sort COLUMN          one click on a column header (repeatable):
                         no, created, modified, name, newname, size,
                         natural (current names, numbers by value:
                         file2 before file10, letter case aside)
  --paste FILE           new names from a text file, one per line, every line
                         ended by CR LF as "Copy New Filenames..." writes them
  --seed N               random names from the seed N (0 to 2^64 - 1), so a
                         run can be repeated; without it every run differs

batch runs LINE for every listed file: "Sourcefiles$" is the file's full path,
"Destnames$" its new name; "Filecopy FROM TO", "Delete FILES" and
"SetFileAttributes FILE" (with --attributes) are done by quillon-cli itself,
any other line is started as a program, never through a shell. A line that
deletes, or copies onto names that are taken, runs only with --yes (without
it, the question is printed, nothing is done, status 2). Filecopy never
replaces a file nor writes through a symbolic link: a taken name is skipped
and named at the end (status 1).
shred overwrites and deletes every listed file (--all) or the Nth row of the
list (--position N, counted from 1 as list prints them).

rename renames every listed file to its new name, in the listed order, and
never replaces an existing file. --attributes: none (leave them), or normal,
R, H, S separated by commas. --created and --modified write that date to every
listed file, hidden and read-only ones too, and change nothing else of it; a
file whose date cannot be written is named (status 1). --dry-run renames nothing: it prints the files whose target is taken,
then "old -> new" for every file. --undo-file FILE keeps the journal for
"quillon-cli undo --undo-file FILE"; without it the journal is kept with
the window's. --on-failure answers a failure that persists (default: ask at
a terminal, else stop; retry gives up after 5 tries). --cycles lets files take
names that other listed files are giving up (swaps a <-> b, shifts f1 -> f2
-> f3, longer cycles) through temporary names in the folder, every step in
the journal; a name held by a file that keeps it is still taken. With
--dry-run it prints the cycles.

undo renames back the files of one rename pass, newest first, also after a
crash, and puts back the dates and attributes the pass changed: --last the
newest kept journal, --journal FILE (or --undo-file FILE) that one. A step
it cannot undo is named (status 1); the next undo does the rest. --list shows the kept journals (time, folder, count, file). Kept
journals are in $XDG_STATE_HOME/quillon (default ~/.local/state/quillon),
the newest 20.

Dates are ISO 8601 (2020-01-02, 2020-01-02T03:04:05, local time) or the
locale's date text. Messages go to standard error. Exit status: 0 done
without a message, 1 a message was shown, 2 usage error.
)";

// The texts typed into the naming boxes pass the boxes' key filter: a
// character a file name cannot hold is refused rather than dropped, so the
// person sees why. The extension box's list item ".???" is the exception.
bool namingTextsAccepted(const QCommandLineParser& parser)
{
    for (const char* name : {"pattern", "ext", "replace", "with", "replace-all", "with-all"}) {
        QString text = parser.value(QString::fromLatin1(name));
        // The template of --regex writes its groups and backslash with "\".
        if (QLatin1String(name) == QLatin1String("with") && parser.isSet(QStringLiteral("regex")))
            text.remove(QLatin1Char('\\'));
        if (QLatin1String(name) == QLatin1String("ext") && text == NameGenerator::keepExtension())
            continue;
        if (!FileName::isAllowed(text)) {
            CliOutput::err(
                QStringLiteral("quillon-cli: --%1 cannot hold any of | * \" / : < > ? \\")
                    .arg(QLatin1String(name)));
            return false;
        }
    }
    return true;
}

// The header buttons --sort names, as indexes of the list's columns; no
// value when a name is not one of them.
std::optional<QList<int>> sortClicks(const QStringList& names)
{
    QList<int> clicks;
    for (const QString& name : names) {
        const bool natural = name.compare(QLatin1String("natural"), Qt::CaseInsensitive) == 0;
        const int index = natural ? NaturalClick : ListColumns::fromCliName(name);
        if (!natural && index < 0) {
            CliOutput::err(QStringLiteral("quillon-cli: --sort takes no, created, modified, "
                                          "name, newname, size or natural, not \"%1\"")
                               .arg(name));
            return std::nullopt;
        }
        clicks << index;
    }
    return clicks;
}

// One header click per --sort, in the order given, with the column kinds the
// window gives its list (so a second click on a column reverses it); the
// generator then numbers the files in the order shown. "natural" is a click
// on the current names that sorts them in natural order; clicked again right
// after, it reverses them too. A header clicked after it starts afresh.
void sortList(Session& session, const QList<int>& clicks)
{
    if (clicks.isEmpty())
        return;
    ListSorter& sorter = session.sorter();
    std::optional<int> last;
    for (int index : clicks) {
        std::vector<qint32>& order = session.model().displayOrder();
        if (index == NaturalClick && last == NaturalClick) {
            std::reverse(order.begin(), order.end());
        } else if (index == NaturalClick) {
            NaturalOrder::sortByCurrentName(session.model());
            sorter = ListColumns::newSorter();
        } else {
            sorter.sortByHeader(session.model(), index);
        }
        last = index;
    }
    session.generateNames();
}

// --regex and --template, checked before anything is listed: the plain
// replace pair cannot be used beside a regular expression (they share
// --with), nor the pattern boxes beside a template that replaces them.
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

} // namespace

CliApp::CliApp()
{
    addOptions();
    m_commands[QStringLiteral("list")] = CliCommands::list;
    m_commands[QStringLiteral("rename")] = CliCommands::rename;
    m_commands[QStringLiteral("undo")] = CliCommands::undo;
    m_commands[QStringLiteral("batch")] = CliCommands::batch;
    m_commands[QStringLiteral("shred")] = CliCommands::shred;
}

void CliApp::addOptions()
{
    m_parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    const QList<QCommandLineOption> withValue = {
        {QStringLiteral("regex"), {}, QStringLiteral("P")},
        {QStringLiteral("template"), {}, QStringLiteral("TEXT")},
        {QStringLiteral("filter"), {}, QStringLiteral("TEXT")},
        {QStringLiteral("pattern"), {}, QStringLiteral("P")},
        {QStringLiteral("zeros"), {}, QStringLiteral("Z")},
        {QStringLiteral("ext"), {}, QStringLiteral("X")},
        {QStringLiteral("replace"), {}, QStringLiteral("A")},
        {QStringLiteral("with"), {}, QStringLiteral("B")},
        {QStringLiteral("replace-all"), {}, QStringLiteral("A")},
        {QStringLiteral("with-all"), {}, QStringLiteral("B")},
        {QStringLiteral("search-name"), {}, QStringLiteral("TEXT")},
        {QStringLiteral("search-content"), {}, QStringLiteral("TEXT")},
        {QStringLiteral("sort"), {}, QStringLiteral("COLUMN")},
        {QStringLiteral("paste"), {}, QStringLiteral("FILE")},
        {QStringLiteral("format"), {}, QStringLiteral("FORMAT")},
        {QStringList{QStringLiteral("o"), QStringLiteral("output")}, {}, QStringLiteral("FILE")},
        {QStringLiteral("attributes"), {}, QStringLiteral("SET")},
        {QStringLiteral("created"), {}, QStringLiteral("DATE")},
        {QStringLiteral("modified"), {}, QStringLiteral("DATE")},
        {QStringLiteral("undo-file"), {}, QStringLiteral("FILE")},
        {QStringLiteral("journal"), {}, QStringLiteral("FILE")},
        {QStringLiteral("on-failure"), {}, QStringLiteral("ANSWER")},
        {QStringLiteral("command"), {}, QStringLiteral("LINE")},
        {QStringLiteral("position"), {}, QStringLiteral("N")},
        {QStringLiteral("seed"), {}, QStringLiteral("N")},
    };
    for (const QCommandLineOption& option : withValue)
        m_parser.addOption(option);
    for (const char* flag : {"dry-run", "all", "yes", "version", "list", "last", "cycles"})
        m_parser.addOption(QCommandLineOption(QString::fromLatin1(flag)));
    m_parser.addOption(
        QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}));
}

QString CliApp::usage() const
{
    return QString::fromUtf8(UsageText);
}

int CliApp::usageError(const QString& why)
{
    if (!why.isEmpty())
        CliOutput::err(QStringLiteral("quillon-cli: ") + why);
    CliOutput::err(usage());
    return 2;
}

int CliApp::run(const QStringList& arguments)
{
    if (!m_parser.parse(arguments))
        return usageError(m_parser.errorText());
    if (m_parser.isSet(QStringLiteral("help"))) {
        CliOutput::out(usage());
        return 0;
    }
    if (m_parser.isSet(QStringLiteral("version"))) {
        CliOutput::out(QStringLiteral("quillon-cli " QUILLON_VERSION));
        return 0;
    }
    const QStringList positional = m_parser.positionalArguments();
    if (positional.isEmpty())
        return usageError(QStringLiteral("no command given"));
    const auto command = m_commands.find(positional.first());
    if (command == m_commands.end())
        return usageError(QStringLiteral("unknown command \"%1\"").arg(positional.first()));
    if (positional.size() > 2)
        return usageError(QStringLiteral("more than one folder given"));
    if (m_parser.isSet(QStringLiteral("seed"))) {
        bool ok = false;
        const quint64 seed = m_parser.value(QStringLiteral("seed")).toULongLong(&ok);
        if (!ok)
            return usageError(QStringLiteral("--seed takes a whole number from 0 to 2^64 - 1"));
        Random::seed(seed);
    }

    m_prompter.setConfirmAnswer(m_parser.isSet(QStringLiteral("yes")));
    FileSystem& fs = m_fs;
    m_startFolder = fs.currentFolder();
    Session session(fs, m_prompter);
    if (positional.size() == 2)
        session.setFolder(
            QDir::cleanPath(QDir(fs.currentFolder()).absoluteFilePath(positional[1])));
    // An undo works from its record alone: no folder to list.
    const bool needsList = positional.first() != QLatin1String("undo");
    if (needsList &&
        !folderReadable(fs, session.folder().isEmpty() ? m_startFolder : session.folder()))
        return 1;
    if (needsList && !prepare(session))
        return status() ? 1 : 2;
    return command->second(*this, session);
}

// The window stays silent on a folder it cannot list; here it is an error.
bool CliApp::folderReadable(FileSystem& fs, const QString& folder)
{
    const int rc = fs.enumerate(folder, false, [](const FileSystem::Entry&) { return false; });
    if (rc == 0)
        return true;
    CliOutput::err(QStringLiteral("quillon-cli: cannot read the folder ") + folder);
    return false;
}

// The list holds at most FolderScan::MaxIndex + 1 files; a full list may
// have left some out, which a person should know before acting on "all".
void CliApp::warnIfFull(Session& session)
{
    // The scan looked one file beyond the list; count all only when it found one.
    if (session.lastPosition() < FolderScan::MaxIndex || !session.filesLeftOut())
        return;
    qint64 files = 0;
    // A folder that can no longer be listed counts what it gave: no warning.
    std::ignore =
        session.fs().enumerate(session.folderPath(), false, [&](const FileSystem::Entry& e) {
            if (!e.isFolder && FolderScan::passesFilter(e.name, session.typeFilter()))
                ++files;
            return true;
        });
    if (files > FolderScan::MaxIndex + 1)
        CliOutput::err(QStringLiteral("quillon-cli: the folder holds %1 files; only the first "
                                      "%2 are listed, the others are left out")
                           .arg(files)
                           .arg(FolderScan::MaxIndex + 1));
}

// The Search menu with the text already typed. A search that finds nothing
// (or has no text) stops here: the command must not go on with the whole
// folder when the person meant a few files.
bool CliApp::search(Session& session)
{
    const struct {
        const char* option;
        int index;
    } searches[] = {{"search-name", FileSearch::Names}, {"search-content", FileSearch::Contents}};
    for (const auto& s : searches) {
        const QString option = QString::fromLatin1(s.option);
        if (!m_parser.isSet(option))
            continue;
        m_prompter.setInputAnswer(m_parser.value(option));
        const FileSearch::Outcome outcome = FileSearch(session).search(s.index);
        if (outcome == FileSearch::Outcome::Cancelled)
            CliOutput::err(QStringLiteral("quillon-cli: --%1 needs a text").arg(option));
        if (outcome != FileSearch::Outcome::Replaced)
            return false;
    }
    return true;
}

// Sets the session up as a person would in the window before the command:
// the naming inputs, the filter and the scan (which generates names).
bool CliApp::prepare(Session& session)
{
    auto value = [this](const char* name) { return m_parser.value(QString::fromLatin1(name)); };
    auto isSet = [this](const char* name) { return m_parser.isSet(QString::fromLatin1(name)); };
    if (!namingTextsAccepted(m_parser))
        return false;
    if (const QString conflict = namingConflict(m_parser); !conflict.isEmpty()) {
        CliOutput::err(QStringLiteral("quillon-cli: ") + conflict);
        return false;
    }
    QString why;
    std::optional<RegexReplace> regex;
    if (isSet("regex") && !(regex = RegexReplace::create(value("regex"), value("with"), why))) {
        CliOutput::err(QStringLiteral("quillon-cli: ") + why);
        return false;
    }
    std::optional<NameTemplate> nameTemplate;
    if (isSet("template") && !(nameTemplate = NameTemplate::create(value("template"), why))) {
        CliOutput::err(QStringLiteral("quillon-cli: ") + why);
        return false;
    }
    const std::optional<QList<int>> clicks = sortClicks(m_parser.values(QStringLiteral("sort")));
    if (!clicks)
        return false;
    // "Same" is the list item that empties the pattern: every name stays.
    if (isSet("pattern"))
        session.setPattern(value("pattern") == NameGenerator::sameItem() ? QString()
                                                                         : value("pattern"));
    if (isSet("ext"))
        session.setExtension(value("ext"));
    session.setReplaceText(value("replace"));
    session.setReplaceWith(isSet("regex") ? QString() : value("with"));
    if (isSet("filter"))
        session.setTypeFilter(FolderScan::filterFromBox(value("filter")));
    session.scanFolder();
    warnIfFull(session);
    if (!search(session))
        return false;
    sortList(session, *clicks);
    // A padding typed by the person replaces the one the scan chose.
    if (isSet("zeros")) {
        session.setPadding(value("zeros"));
        session.generateNames();
    }
    // The template takes the place of the pattern; the regular expression
    // works on what the pattern step proposed.
    if (nameTemplate)
        nameTemplate->applyTo(
            session.model(), session.lastPosition(), session.fs(), session.folderPath(),
            [this](const QString& name, const QString& tag) {
                m_prompter.message(
                    QStringLiteral("%1 has no %2: it keeps its name").arg(name, tag));
            });
    if (regex)
        regex->applyTo(session.model(), session.lastPosition());
    // The Replace button, then names pasted from a file. Either one ending at
    // its message leaves names other than those asked for, so the command
    // does not go on.
    if (isSet("replace-all") || isSet("with-all")) {
        if (!NewNameReplace::replaceInNewNames(session.model(), value("replace-all"),
                                               value("with-all"), m_prompter))
            return false;
    }
    if (isSet("paste"))
        return pasteNames(session, absolutePath(value("paste")));
    return true;
}

QString CliApp::absolutePath(const QString& path) const
{
    return QDir::cleanPath(QDir(m_startFolder).absoluteFilePath(path));
}

// Reads the file as bytes, so names that are not UTF-8 keep their bytes,
// and pastes its text as the clipboard's.
bool CliApp::pasteNames(Session& session, const QString& path)
{
    QByteArray bytes;
    const int rc = session.fs().readChunks(path, 1 << 20, [&bytes](const QByteArray& chunk) {
        bytes += chunk;
        return true;
    });
    if (rc != 0) {
        CliOutput::err(QStringLiteral("quillon-cli: cannot read ") + path);
        return false;
    }
    return NewNameClipboard::pasteText(session.model(), session.lastPosition(),
                                       FileNameCodec::decode(bytes), m_prompter);
}
