// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliApp.h"

#include "BatchCommand.h"
#include "CliOptions.h"
#include "CliOutput.h"
#include "ListCommand.h"
#include "PresetCommand.h"
#include "RenameCommand.h"
#include "ShredCommand.h"
#include "UndoCommand.h"
#include "Version.h"

#include "app/FileSearch.h"
#include "app/JournalFolder.h"
#include "app/NamingOrder.h"
#include "app/NamingRules.h"
#include "app/NewNameClipboard.h"
#include "app/NewNameReplace.h"
#include "app/Session.h"
#include "filelist/FolderScan.h"
#include "filelist/TypeFilter.h"
#include "platform/FieldText.h"
#include "platform/FileNameCodec.h"
#include "platform/FileSystem.h"
#include "platform/Random.h"

#include <QDir>

#include <optional>
#include <tuple>

namespace
{

const char* const UsageText = R"(Usage:
  quillon-cli list   [DIR] [selection] [naming options]
                           [--format tsv|csv|rtf|xls|xlsx|json]
                           [-o FILE]
  quillon-cli rename DIR [selection] naming options [--attributes none|normal|R,H,S]
                           [--created DATE] [--modified DATE] [--dry-run]
                           [--undo-file FILE] [--on-failure retry|skip|stop]
                           [--cycles]
  quillon-cli undo   --last | --journal FILE | --undo-file FILE | --list
  quillon-cli batch  DIR [selection] [naming options] --command "LINE"
                           [--attributes none|R,H,S] [--yes]
  quillon-cli shred  [DIR] [selection] (--all | --position N | --name NAME)
                           (--yes | --dry-run)
  quillon-cli preset list | show NAME | delete NAME
  quillon-cli preset save NAME [naming options] [--filter TEXT] [--sort COLUMN]
                           [--cycles] [--yes]
  quillon-cli --version | --help

Lists and treats the files of one folder (DIR, default the current folder) as
the Quillon window does, with the same results. Each command takes only the
options shown for it; any other is a usage error.

Selection (which files, in which order):
  --filter TEXT          file types as in the type box: shell patterns over
                         the whole name (* any text, ? one character, [abc]
                         one of them, [!abc] none of them), letter case
                         ignored, several separated by ";", e.g.
                         "*.jpg;*.jpeg"; "*.*" lists every file
  --search-name TEXT     keep the files whose name holds TEXT, letter case aside
  --search-content TEXT  keep the files whose content holds TEXT
  --sort COLUMN          one click on a column header (repeatable):
                         no, created, modified, name (letter case aside),
                         newname (the new names, once they are made), size,
                         natural (current names, numbers by value:
                         file2 before file10, letter case aside), taken
                         (when a picture was taken: EXIF DateTimeOriginal,
                         files without it after, by modified date)

Naming options (rename needs one of --pattern, --template, --paste, --regex):
  --pattern P            pattern (default "New_Filename_#"; # is the number)
  --zeros Z              number padding, zeros only, e.g. 000 (default: from
                         the file count)
  --ext X                new extension with its dot, e.g. .jpg (default
                         ".???": keep each file's own)
  --replace A --with B   the generator's replace pair
  --regex P --with T     after the pattern, every match of the regular
                         expression P in a new name becomes T; \0..\9 in T
                         insert the match and its groups, \\ a backslash;
                         --with "" deletes the matches. Letter case counts
                         unless P says (?i)
  --template TEXT        new names from tokens instead of --pattern:
                         {n} list position, {n:3} the same with 3 digits,
                         {name} name without extension, {ext} extension
                         with its dot, {created:FORMAT} {modified:FORMAT}
                         file dates (Qt format, e.g. yyyy-MM-dd),
                         {exif:TAG:FORMAT} picture date (DateTimeOriginal,
                         DateTimeDigitized), {exif:TAG} picture text (Model,
                         Make), {dir} folder name, {dir:2} its parent's,
                         {size} bytes, {size:kb} KiB, {tag:FIELD} music tag
                         (artist, album, title, track, year, genre),
                         {tag:track:2} padded, {hash:KIND:N} first N hex
                         digits of md5, sha1, sha256 or crc32,
                         {exif:TAG|text} {tag:FIELD|text} with text for files
                         without the tag, {{ and }} braces; filters after
                         "|" on any token: nfc, nfd, ascii, lower, upper
                         ({name|ascii|lower}). A file without a tag and no
                         fallback keeps its name (reported on stderr)
  --normalize nfc|nfd    every new name in Unicode form C or D
  --fit-length           shorten names over 255 bytes by their stem
  --windows-names        the rules of Windows disks on any disk: no \ / : *
                         ? " < > | or control characters, no trailing dot or
                         space, no CON, PRN, AUX, NUL, COM1-9, LPT1-9 (always
                         on vfat, exFAT, NTFS, cifs folders)
  --replace-all A --with-all B
                         replace in every new name (the Replace button)
  --paste FILE           new names from a text file, one per line, every line
                         ended by CR LF as "Copy New Filenames..." writes them
  --seed N               random names from the seed N (0 to 2^64 - 1), so a
                         run can be repeated; without it every run differs

The list is made in this order: filter, search, sort, new names (pattern,
template, regex, replace-all, paste), numbers. --sort newname sorts the names
made, and the numbers ({n}, #) are then given again in that final order.

list prints the rows (tab-separated) or writes the listing: --format, else
the extension of -o FILE (.csv, .rtf, .xls, .xlsx), else tsv. -o FILE is exactly
that file; without -o, or with -o -, the listing goes to standard output.

rename renames every listed file to its new name, in the listed order, and
never replaces an existing file. --attributes: none (leave them), or normal,
R, H, S separated by commas. --created and --modified write that date to every
listed file, hidden and read-only ones too, and change nothing else of it; a
file whose date cannot be written is named (status 1). --dry-run renames
nothing: it prints the files whose target is taken or cannot be a name (with
the reason: a Windows disk refuses it, too long), those whose name collides
on the disk (letter case on a disk that ignores it, Unicode twins), then
"old -> new" for every file. --undo-file FILE keeps the journal in FILE, which
must be new or hold a pass that was undone; without it the journal is kept
with the window's. --on-failure answers a failure that persists (default: ask
at a terminal, else stop; retry gives up after 5 tries). --cycles lets files
take names that other listed files are giving up (swaps a <-> b, shifts f1 ->
f2 -> f3, longer cycles) through temporary names in the folder, every step in
the journal; a name held by a file that keeps it is still taken. With
--dry-run it prints the cycles.

undo renames back the files of one rename pass, newest first, also after a
crash, and puts back the dates and attributes the pass changed: --last the
newest pass (saying which on standard error), --journal FILE (or --undo-file
FILE) that one. A step it cannot undo is named (status 1); the next undo does
the rest. --list shows every kept pass (time, folder, count, journal), those
made with --undo-file by that file. Kept
journals are in $XDG_STATE_HOME/quillon (default ~/.local/state/quillon):
{kept}.

batch runs LINE for every listed file: "Sourcefiles$" is the file's full path,
"Destnames$" its new name (a naming option is then needed); "Filecopy FROM
TO", "Delete FILES" and "SetFileAttributes FILE" (with --attributes) are done
by quillon-cli itself, any other line is started as a program, never through
a shell, and waited for; a program that exits with a status other than 0 is
named on standard error and the run's status is 1. A line that deletes, or
copies onto names that are taken, runs only with --yes (without it, the
question is printed, nothing is done, status 2). Filecopy never replaces a
file nor writes through a symbolic link: a taken name is skipped and named at
the end (status 1).

shred overwrites and deletes every listed file (--all) or one: the file whose
"No." is N (--position N, whatever the sort) or whose current name is NAME
(--name NAME). --dry-run prints the names it would shred and shreds none.

A preset is a saved set of naming inputs, shared with the window's Names >
Presets menu: pattern, zeros, ext, replace, with, template, regex, filter,
sort and cycles, one file per preset, NAME.ini in $XDG_CONFIG_HOME/quillon/
presets (default ~/.config/quillon/presets). preset save NAME keeps the
options given (--yes replaces a preset of that name), show prints its file,
list names them, delete removes one. --preset NAME on list, rename, batch and
shred sets its inputs first; an option given beside it replaces the preset's
(and a --template typed replaces the preset's --pattern, --ext and --replace,
and the other way round). A preset that cannot be read, or was written by a
newer Quillon, is refused as a whole, naming its file and line.

Dates are ISO 8601 (2020-01-02, 2020-01-02T03:04:05, local time) or the
locale's date text. Rows and results go to standard output, messages to
standard error, progress to standard error when it is a terminal. Exit status:
0 done without a message, 1 a message was shown, 2 usage error.
)";

} // namespace

CliApp::CliApp()
{
    m_parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    for (const QCommandLineOption& option : CliOptions::all())
        m_parser.addOption(option);
    m_commands[QStringLiteral("list")] = std::make_unique<ListCommand>();
    m_commands[QStringLiteral("rename")] = std::make_unique<RenameCommand>();
    m_commands[QStringLiteral("undo")] = std::make_unique<UndoCommand>();
    m_commands[QStringLiteral("batch")] = std::make_unique<BatchCommand>();
    m_commands[QStringLiteral("shred")] = std::make_unique<ShredCommand>();
}

QString CliApp::usage() const
{
    return QString::fromUtf8(UsageText).replace(QStringLiteral("{kept}"),
                                                JournalFolder::keptText());
}

int CliApp::usageError(const QString& why)
{
    CliOutput::err(QStringLiteral("quillon-cli: ") + why);
    CliOutput::err(QStringLiteral("see quillon-cli --help"));
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
    if (positional.first() == QLatin1String("preset"))
        return PresetCommand(*this).run(positional.mid(1));
    const auto command = m_commands.find(positional.first());
    if (command == m_commands.end())
        return usageError(QStringLiteral("unknown command \"%1\"").arg(positional.first()));
    // The preset's options go first, so that those typed beside it win.
    if (m_parser.isSet(QStringLiteral("preset")) &&
        CliOptions::takes(command->first, QStringLiteral("preset"))) {
        const std::optional<QStringList> expanded =
            PresetCommand(*this).expand(arguments, command->first);
        if (!expanded)
            return status();
        if (!m_parser.parse(*expanded))
            return usageError(m_parser.errorText());
    }
    if (positional.size() > 2)
        return usageError(QStringLiteral("more than one folder given"));
    if (const QString fault = CliOptions::fault(m_parser, command->first, positional.size() == 2);
        !fault.isEmpty())
        return usageError(fault);
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
    if (command->second->needsList()) {
        if (!folderReadable(fs, session.folder().isEmpty() ? m_startFolder : session.folder()))
            return 1;
        if (const std::optional<int> stopped = prepare(session))
            return *stopped;
    }
    return command->second->run(*this, session);
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
    const TypeFilter filter(session.typeFilter());
    // A folder that can no longer be listed counts what it gave: no warning.
    std::ignore =
        session.fs().enumerate(session.folderPath(), false, [&](const FileSystem::Entry& e) {
            if (!e.isFolder && filter.passes(e.name))
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
        FileSearch::Outcome (FileSearch::*run)(const QString&);
    } searches[] = {{"search-name", &FileSearch::searchNames},
                    {"search-content", &FileSearch::searchContents}};
    for (const auto& s : searches) {
        const QString option = QString::fromLatin1(s.option);
        if (!m_parser.isSet(option))
            continue;
        m_prompter.setInputAnswer(m_parser.value(option));
        FileSearch search(session);
        const FileSearch::Outcome outcome = (search.*s.run)(QString());
        if (outcome == FileSearch::Outcome::Cancelled)
            CliOutput::err(QStringLiteral("quillon-cli: --%1 needs a text").arg(option));
        if (outcome != FileSearch::Outcome::Replaced)
            return false;
    }
    return true;
}

// The naming options as the inputs the window's boxes and panels hold.
NamingRules CliApp::namingRules() const
{
    auto value = [this](const char* name) { return m_parser.value(QString::fromLatin1(name)); };
    auto isSet = [this](const char* name) { return m_parser.isSet(QString::fromLatin1(name)); };
    NamingRules rules;
    if (isSet("pattern"))
        rules.pattern = value("pattern");
    if (isSet("zeros"))
        rules.padding = value("zeros");
    if (isSet("ext"))
        rules.extension = value("ext");
    rules.replaceText = value("replace");
    if (isSet("template"))
        rules.templateText = value("template");
    // --with is the expression's replacement beside --regex, else the
    // replace pair's.
    if (isSet("regex")) {
        rules.expression = value("regex");
        rules.expressionWith = value("with");
    } else {
        rules.replaceWith = value("with");
    }
    if (isSet("filter"))
        rules.filter = value("filter");
    rules.sort = m_parser.values(QStringLiteral("sort"));
    rules.swaps = isSet("cycles");
    rules.normalize = value("normalize");
    rules.fitLength = isSet("fit-length");
    return rules;
}

// Sets the session up as a person would in the window before the command,
// in NamingOrder's order. Returns the exit status when the command must not
// go on.
std::optional<int> CliApp::prepare(Session& session)
{
    QString why;
    const std::optional<NamingOrder> order = NamingOrder::create(namingRules(), why);
    if (!order)
        return usageError(why);
    NamingOrder::Steps steps;
    steps.scanned = [this](Session& s) { warnIfFull(s); };
    steps.search = [this](Session& s) { return search(s); };
    steps.afterNames = [this, &order](Session& s) { return afterNames(s, *order); };
    steps.pastesNames = m_parser.isSet(QStringLiteral("paste"));
    steps.lacking = [this](const QString& name, const QString& tag) {
        m_prompter.message(QStringLiteral("%1 has no %2: it keeps its name").arg(name, tag));
    };
    steps.gaveUp = [this](const QString& name) {
        m_prompter.message(QStringLiteral("quillon-cli: --regex gave up on %1 (too much "
                                          "backtracking); its new name is left as it was")
                               .arg(FieldText::escaped(name)));
    };
    session.forceWindowsNames(m_parser.isSet(QStringLiteral("windows-names")));
    switch (order->prepare(session, steps)) {
    case NamingOrder::Outcome::NoFilesMatch:
        m_prompter.message(QStringLiteral("quillon-cli: %1 %2")
                               .arg(Session::noFilesMatchText(), session.typeFilter()));
        return 1;
    case NamingOrder::Outcome::Stopped:
        return status() ? 1 : 2;
    case NamingOrder::Outcome::Ready:
        break;
    }
    return std::nullopt;
}

// The Replace button and names pasted from a file, after the names are
// made. Either ending at its message leaves names other than those asked
// for, so the command does not go on.
bool CliApp::afterNames(Session& session, const NamingOrder& order)
{
    auto value = [this](const char* name) { return m_parser.value(QString::fromLatin1(name)); };
    auto isSet = [this](const char* name) { return m_parser.isSet(QString::fromLatin1(name)); };
    if (isSet("replace-all") || isSet("with-all")) {
        if (!NewNameReplace::replaceInNewNames(session.model(), value("replace-all"),
                                               value("with-all"), m_prompter))
            return false;
    }
    if (isSet("paste") && !pasteNames(session, absolutePath(value("paste"))))
        return false;
    // The replaced and pasted names take the same finish as those made.
    order.finish(session.model(), session.lastPosition());
    session.checkProposals(); // the marks of the names as they are now
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
