#include "CliApp.h"

#include "CliCommands.h"
#include "CliOutput.h"

#include "app/Session.h"
#include "filelist/FolderScan.h"
#include "platform/FileSystem.h"

#include <QDir>

namespace
{

const char* const UsageText = R"(Usage:
  quillon-cli list   [DIR] [naming options] [--format tsv|csv|rtf|xls] [-o FILE]
  quillon-cli rename [DIR] [naming options] [--attributes none|normal|R,H,S]
                           [--created DATE] [--modified DATE] [--dry-run]
                           [--undo-file FILE] [--on-failure retry|skip|stop]
  quillon-cli undo   --undo-file FILE
  quillon-cli batch  [DIR] [naming options] --command "LINE"
  quillon-cli shred  [DIR] [naming options] (--all | --position N) --yes

Lists and treats the files of one folder (DIR, default the current folder) as
the Quillon window does, with the same results.

Naming options:
  --filter TEXT          file-type filter as typed in the type box, e.g. "*.JPG"
  --pattern P            pattern (default "New_Filename_#"; # is the number)
  --zeros Z              number padding, e.g. 000 (default: from the file count)
  --ext X                new extension (default ".???": keep each file's own)
  --replace A --with B   the generator's replace pair
  --replace-all A --with-all B
                         replace in every new name (the Replace button)
  --search-name TEXT     keep the files whose name holds TEXT
  --search-content TEXT  keep the files whose content holds TEXT
  --sort COLUMN          one click on a column header (repeatable):
                         no, created, modified, name, newname, size
  --paste FILE           new names from a text file, one per line

Dates are ISO 8601 (2020-01-02, 2020-01-02T03:04:05, local time) or the
locale's date text. Messages go to standard error. Exit status: 0 done
without a message, 1 a message was shown, 2 usage error.
)";

} // namespace

CliApp::CliApp()
{
    addOptions();
    m_commands[QStringLiteral("list")] = CliCommands::list;
}

void CliApp::addOptions()
{
    m_parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    const QList<QCommandLineOption> withValue = {
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
        {QStringLiteral("on-failure"), {}, QStringLiteral("ANSWER")},
        {QStringLiteral("command"), {}, QStringLiteral("LINE")},
        {QStringLiteral("position"), {}, QStringLiteral("N")},
    };
    for (const QCommandLineOption& option : withValue)
        m_parser.addOption(option);
    for (const char* flag : {"dry-run", "all", "yes"})
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
    const QStringList positional = m_parser.positionalArguments();
    if (positional.isEmpty())
        return usageError(QStringLiteral("no command given"));
    const auto command = m_commands.find(positional.first());
    if (command == m_commands.end())
        return usageError(QStringLiteral("unknown command \"%1\"").arg(positional.first()));
    if (positional.size() > 2)
        return usageError(QStringLiteral("more than one folder given"));

    FileSystem& fs = FileSystem::instance();
    Session session(fs, m_prompter);
    if (positional.size() == 2)
        session.Dr = QDir::cleanPath(QDir(fs.currentFolder()).absoluteFilePath(positional[1]));
    if (!prepare(session))
        return 2;
    return command->second(*this, session);
}

// Sets the session up as a person would in the window before the command:
// the naming inputs, the filter and the scan (which generates names).
bool CliApp::prepare(Session& session)
{
    auto value = [this](const char* name) { return m_parser.value(QString::fromLatin1(name)); };
    auto isSet = [this](const char* name) { return m_parser.isSet(QString::fromLatin1(name)); };
    if (isSet("pattern"))
        session.Text1 = value("pattern");
    if (isSet("ext"))
        session.Text2 = value("ext");
    session.R1[0] = value("replace");
    session.R1[1] = value("with");
    if (isSet("filter"))
        session.TypeFilter = FolderScan::filterFromBox(value("filter"));
    session.ListRefresh();
    // A padding typed by the person replaces the one the scan chose.
    if (isSet("zeros")) {
        session.Zeros = value("zeros");
        session.generateNames();
    }
    return true;
}
