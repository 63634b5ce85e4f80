#include "CliApp.h"
#include "CliCommands.h"
#include "CliOutput.h"

#include "app/AttributeChoice.h"
#include "app/FileDates.h"
#include "app/JournalFolder.h"
#include "app/RenameCyclePlanner.h"
#include "app/RenameJournal.h"
#include "app/RenamePass.h"
#include "app/Session.h"
#include "platform/DateText.h"
#include "platform/DurableFile.h"
#include "platform/FieldText.h"
#include "platform/FileSystem.h"

#include <cstdio>
#include <optional>
#include <tuple>

namespace
{

QString option(CliApp& app, const char* name)
{
    return app.options().value(QString::fromLatin1(name));
}

bool isSet(CliApp& app, const char* name)
{
    return app.options().isSet(QString::fromLatin1(name));
}

// --attributes: "none" leaves attributes alone; otherwise a comma-separated
// choice of the boxes (normal, R or readonly, H or hidden, S or system), as
// if those boxes were checked.
std::optional<int> attributeValue(const QString& text)
{
    if (text.compare(QLatin1String("none"), Qt::CaseInsensitive) == 0)
        return -1;
    static const struct {
        const char* shortName;
        const char* longName;
        int box;
    } boxes[] = {{"N", "normal", AttributeChoice::CheckN},
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

std::optional<Prompter::FailureAnswer> failureAnswer(const QString& text)
{
    if (text == QLatin1String("retry"))
        return Prompter::FailureAnswer::Retry;
    if (text == QLatin1String("skip"))
        return Prompter::FailureAnswer::Skip;
    if (text == QLatin1String("stop"))
        return Prompter::FailureAnswer::Stop;
    return std::nullopt;
}

// A date given on the command line becomes a picker's text in the locale's
// date format, so that it counts as a pending date exactly as a picked one.
bool pickDate(CliApp& app, Session& session, const char* name, FileDates::Column column)
{
    if (!isSet(app, name))
        return true;
    const QDateTime date = DateText::parse(option(app, name));
    if (!date.isValid())
        return false;
    const QString text = DateText::format(date);
    if (column == FileDates::Creation)
        FileDates::creationPickerChanged(session, text, date);
    else
        FileDates::modifiedPickerChanged(session, text, date);
    return true;
}

// The pass run over the disk kept in memory (RenamePass::dryRun): first the
// files it would leave as they are because their target is taken or is not
// a file name, then "old -> new" for every file.
void printDryRun(Session& session, int attributes)
{
    const FileListModel& model = session.model();
    RenamePass pass(session);
    const QList<bool> renamed = pass.dryRun(attributes);
    QStringList lines;
    for (int i = 0; i <= session.lastPosition(); ++i) {
        const QString source = model.currentNameAt(i);
        const QString target = model.newNameAt(i);
        lines << FieldText::escaped(source) + QStringLiteral(" -> ") + FieldText::escaped(target);
        if (source == target || renamed.value(i))
            continue;
        CliOutput::out((RenameJournal::isPlainName(target) ? QStringLiteral("taken: ")
                                                           : QStringLiteral("not a file name: ")) +
                       lines.last());
    }
    for (const QString& line : lines)
        CliOutput::out(line);
}

// --cycles: the renames of the list ordered so that files can take the names
// other listed files give up, through temporary names where they go round.
RenameCyclePlanner::Plan cyclePlan(Session& session)
{
    std::vector<std::pair<QString, QString>> pairs;
    pairs.reserve(size_t(session.lastPosition() + 1));
    for (int i = 0; i <= session.lastPosition(); ++i)
        pairs.emplace_back(session.model().currentNameAt(i), session.model().newNameAt(i));
    QSet<QString> taken;
    // A name missed here because the folder cannot be listed costs a failed
    // step at most: a rename never replaces a file.
    std::ignore =
        session.fs().enumerate(session.folderPath(), false, [&taken](const FileSystem::Entry& e) {
            taken.insert(e.name);
            return true;
        });
    return RenameCyclePlanner::plan(pairs, taken);
}

// The plan on paper: the files that cannot get their names, the cycles gone
// round through a temporary name, then "old -> new" for every file.
void printCycles(Session& session, const RenameCyclePlanner::Plan& plan)
{
    const FileListModel& model = session.model();
    auto line = [&](int i) {
        return FieldText::escaped(model.currentNameAt(i)) + QStringLiteral(" -> ") +
               FieldText::escaped(model.newNameAt(i));
    };
    for (int i : plan.blocked)
        CliOutput::out(QStringLiteral("taken: ") + line(i));
    for (const QStringList& cycle : plan.cycles) {
        QStringList names;
        for (const QString& name : cycle)
            names << FieldText::escaped(name);
        CliOutput::out(QStringLiteral("cycle: ") + names.join(QStringLiteral(" -> ")));
    }
    for (int i = 0; i <= session.lastPosition(); ++i)
        CliOutput::out(line(i));
}

// The undo file may replace an older journal or an undo record of an older
// version, never another file, never through a symbolic link, and it must not be one of the files
// the pass renames.
QString undoFileProblem(Session& session, const QString& path)
{
    if (DurableFile::isSymLink(path))
        return QStringLiteral("%1 is a symbolic link").arg(path);
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (path.left(slash + 1) == session.folderPath()) {
        const QString name = path.mid(slash + 1);
        for (int i = 0; i <= session.lastPosition(); ++i) {
            if (session.model().currentNameAt(i) == name)
                return QStringLiteral("%1 is one of the files to rename").arg(path);
        }
    }
    QByteArray start;
    const int rc = session.fs().readChunks(path, 64, [&](const QByteArray& chunk) {
        start = chunk;
        return false;
    });
    if (rc == 0 && !start.isEmpty() && !start.startsWith(RenameJournal::header()) &&
        !start.startsWith("Quillon undo record"))
        return QStringLiteral("%1 exists and is not an undo record").arg(path);
    return QString();
}

} // namespace

int CliCommands::rename(CliApp& app, Session& session)
{
    const std::optional<int> attributes =
        isSet(app, "attributes") ? attributeValue(option(app, "attributes")) : -1;
    if (!attributes)
        return app.usageError(
            QStringLiteral("--attributes takes none, or normal, R, H, S separated by commas"));
    if (isSet(app, "on-failure")) {
        const auto answer = failureAnswer(option(app, "on-failure"));
        if (!answer)
            return app.usageError(QStringLiteral("--on-failure takes retry, skip or stop"));
        app.prompter().setFailureAnswer(answer);
    }
    for (const char* name : {"created", "modified"}) {
        if (isSet(app, name) && !DateText::isDate(option(app, name)))
            return app.usageError(
                QStringLiteral("--%1: \"%2\" is not a date").arg(name, option(app, name)));
    }
    // Without --undo-file the journal goes where the window keeps its own.
    QString undoFile;
    if (isSet(app, "undo-file")) {
        undoFile = app.absolutePath(option(app, "undo-file"));
        const QString problem = undoFileProblem(session, undoFile);
        if (!problem.isEmpty())
            return app.usageError(problem);
    }
    pickDate(app, session, "created", FileDates::Creation);
    pickDate(app, session, "modified", FileDates::Modified);

    const bool cycles = isSet(app, "cycles");
    const RenameCyclePlanner::Plan plan = cycles ? cyclePlan(session) : RenameCyclePlanner::Plan();
    if (isSet(app, "dry-run")) {
        if (cycles)
            printCycles(session, plan);
        else
            printDryRun(session, *attributes);
        return app.status();
    }
    RenamePass pass(session);
    pass.setReportLimit(-1); // every file left is named
    const bool kept = undoFile.isEmpty();
    if (kept)
        undoFile = JournalFolder::newJournal();
    RenameJournal journal;
    if (undoFile.isEmpty() || (cycles ? journal.begin(undoFile, session.folderPath(), plan.steps)
                                      : pass.beginJournal(journal, undoFile)) != 0) {
        CliOutput::err(QStringLiteral("quillon-cli: cannot write the undo record to ") +
                       (undoFile.isEmpty() ? JournalFolder::path() : undoFile) +
                       (undoFile.isEmpty() && JournalFolder::isLink()
                            ? QStringLiteral(": it is a symbolic link")
                            : QString()));
        return 1;
    }
    pass.setJournal(&journal);
    QString shown;
    QObject::connect(&pass, &RenamePass::status, [&shown](const QString& text) {
        if (text != shown) {
            shown = text;
            CliOutput::out(text);
            fflush(stdout);
        }
    });
    if (cycles)
        pass.renameFiles(*attributes, plan.steps);
    else
        pass.renameFiles(*attributes);
    if (kept)
        JournalFolder::prune();
    return app.status();
}
