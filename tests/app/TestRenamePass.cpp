// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/FileDates.h"
#include "app/JournalFolder.h"
#include "app/RenameJournal.h"
#include "app/RenamePass.h"
#include "app/Session.h"
#include "platform/FileErrors.h"
#include "platform/FileNameCodec.h"
#include "platform/PosixFileSystem.h"

#include "LoggingFileSystem.h"
#include "PromptRecorder.h"
#include "ScratchMount.h"
#include "TempFolder.h"

#include <QDir>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <functional>

using Steps = QList<RenameJournal::Step>;
Q_DECLARE_METATYPE(Steps)

namespace
{

const QString Conflict = QStringLiteral("Read-Only media or file name conflict Error occured.");
const QString Exists =
    QStringLiteral("Cannot rename to '%1%2' because that filename aready exists...");

// The real file services with faults the test switches on (a rename refused
// with a code, date writes failing with a code), and the prompts answered
// from a script after `fix` ran: the person removing the cause before OK.
class Faults : public LoggingFileSystem, public PromptRecorder
{
public:
    FailureAnswer failure(const QString& text) override
    {
        if (fix)
            fix();
        return PromptRecorder::failure(text);
    }
    void answer(const QString& words)
    {
        for (const QString& w : words.split(' ', Qt::SkipEmptyParts))
            failureAnswers.push_back(w == "retry"  ? FailureAnswer::Retry
                                     : w == "skip" ? FailureAnswer::Skip
                                                   : FailureAnswer::Stop);
    }
    void processEvents() override
    {
        PromptRecorder::processEvents();
        if (events)
            events();
    }
    std::function<void()> fix;
    std::function<void()> events; // what happens while the pass lets events run
};

// A session over `folder` holding `files` ("h:x" a hidden file, "d:x" a
// folder, else a file whose content is its name), shown sorted by name, with
// the proposals of `plan` ("old>new"; "-old" deletes the file after the scan).
struct Fixture {
    Fixture(const QString& folder, const QString& files, const QString& plan = {})
        : session(faults, faults), pass(session)
    {
        auto must = [](int error) {
            if (error)
                qFatal("the fixture's files: file error %d", error);
        };
        for (const QString& s : files.split(' ', Qt::SkipEmptyParts)) {
            const QString name = s.mid(s.indexOf(':') + 1);
            if (s.startsWith("d:"))
                ::mkdir(QString(folder + name).toUtf8().constData(), 0755);
            else
                must(faults.createFile(folder + name, name.toUtf8()));
            if (s.startsWith("h:"))
                must(faults.setAttributes(folder + name, FileSystem::Hidden));
        }
        session.setFolder(folder);
        session.scanFolder();
        FileListModel& model = session.model();
        std::sort(model.displayOrder().begin(), model.displayOrder().end(),
                  [&](int a, int b) { return model.currentNameOf(a) < model.currentNameOf(b); });
        for (int k = 0; k <= session.lastPosition(); ++k)
            model.setNewNameAt(k, model.currentNameAt(k));
        for (const QString& step : plan.split(' ', Qt::SkipEmptyParts)) {
            if (step.startsWith('-'))
                ::unlink(QString(folder + step.mid(1)).toUtf8().constData());
            for (int k = 0; k <= session.lastPosition(); ++k) {
                if (model.currentNameAt(k) == step.section('>', 0, 0))
                    model.setNewNameAt(k, step.section('>', 1));
            }
        }
    }
    Faults faults;
    Session session;
    RenamePass pass;
};

// "name=content" for every file, "name/" for every folder, sorted.
QString snapshot(const TempFolder& dir)
{
    QStringList out;
    for (const QString& name : dir.names()) {
        struct stat st;
        ::stat(dir.file(name).toUtf8().constData(), &st);
        out << name + (S_ISDIR(st.st_mode) ? "/" : "=" + QString::fromUtf8(dir.read(name)));
    }
    return out.join(' ');
}

} // namespace

class TestRenamePass : public QObject
{
    Q_OBJECT
private slots:
    void pass_data()
    {
        QTest::addColumn<QString>("files");
        QTest::addColumn<QString>("plan");
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QStringList>("messages"); // %1 is the folder
        auto row = [](const char* tag, const char* files, const QString& plan, const char* answers,
                      const char* after, const QStringList& messages = {}) {
            QTest::newRow(tag) << QString(files) << plan << QString(answers) << QString(after)
                               << messages;
        };
        // The failure box names the file and the reason above its text; a pass
        // that left files ends with their list.
        const auto box = [](const char* name, const QString& reason) {
            return QString(name) + ": " + reason + "\n\n" + Conflict;
        };
        const auto isTaken = [](const char* name) {
            return QStringLiteral("its new name \"%1\" is taken").arg(name);
        };
        const QString tooLong = QStringLiteral("\"%1\" is longer than 255 bytes");
        const QString notAName = QStringLiteral("\"%1\" is not a file name");
        const QString aToH = "0 of 1 renamed; 1 not renamed:\na: " + isTaken("h");
        const QStringList taken{Exists.arg("%1", "h"), box("a", isTaken("h"))};
        row("swap stays", "a b", "a>b b>a", "", "a=a b=b",
            {"0 of 2 renamed; 2 not renamed:\na: " + isTaken("b") + "\nb: " + isTaken("a")});
        row("letter case", "p.JPG", "p.JPG>p.jpg", "", "p.jpg=p.JPG");
        row("letter case onto another file", "a A", "a>A", "skip", "A=A a=a",
            {Exists.arg("%1", "A"), box("a", isTaken("A")),
             "0 of 1 renamed; 1 not renamed:\na: " + isTaken("A")});
        row("taken, then freed", "a b", "a>b b>x", "", "a=a x=b",
            {"1 of 2 renamed; 1 not renamed:\na: " + isTaken("b")});
        row("deleted after scan", "a b c", "a>1 b>2 c>3 -b", "", "1=a 3=c",
            {"2 of 3 renamed; 1 not renamed:\nb: the file is gone"});
        row("hidden target", "a h:h", "a>h", "skip", "a=a h=h", taken + QStringList{aToH});
        row("retry, skip", "a h:h", "a>h", "retry skip", "a=a h=h",
            taken + taken + QStringList{aToH});
        row("folder target", "a d:sub", "a>sub", "skip", "a=a sub/",
            {Exists.arg("%1", "sub"), box("a", isTaken("sub")),
             "0 of 1 renamed; 1 not renamed:\na: " + isTaken("sub")});
        const QString longName(300, 'x');
        row("name too long", "a b", "a>" + longName + " b>c", "skip", "a=a c=b",
            {box("a", tooLong.arg(longName)),
             "1 of 2 renamed; 1 not renamed:\na: " + tooLong.arg(longName)});
        row("not a name", "a d:x", "a>x/y", "skip", "a=a x/",
            {box("a", notAName.arg("x/y")),
             "0 of 1 renamed; 1 not renamed:\na: " + notAName.arg("x/y")});
        row("stop", "a b h:h", "a>h b>c", "stop", "a=a b=b h=h",
            taken + QStringList{"0 of 2 renamed; 2 not renamed:\na: " + isTaken("h") +
                                "\nThe pass stopped: 1 more not reached"});
    }

    void pass()
    {
        QFETCH(QString, files);
        QFETCH(QString, plan);
        QFETCH(QString, answers);
        QFETCH(QStringList, messages);
        TempFolder dir;
        Fixture f(dir.path(), files, plan);
        f.faults.answer(answers);
        QSignalSpy status(&f.pass, &RenamePass::status);
        const bool stop = answers == "stop";
        QCOMPARE(f.pass.renameFiles(-1),
                 stop ? RenamePass::Outcome::Stopped : RenamePass::Outcome::Completed);
        QTEST(snapshot(dir), "after");
        QCOMPARE(f.faults.messages.join('\n'), messages.join('\n').replace("%1", dir.path()));
        QVERIFY(f.faults.failureAnswers.empty());
        // "Renaming Completed" only where every file got its name.
        QCOMPARE(status.last().at(0).toString(),
                 messages.isEmpty() ? RenamePass::completedText() : RenamePass::failedText());
    }

    void progress_data()
    {
        QTest::addColumn<int>("files");
        QTest::addColumn<QString>("percents");
        QTest::newRow("45 files") << 45 << QString("0% 45% 90%");
        QTest::newRow("one file") << 1 << QString("100%");
        QTest::newRow("no file") << 0 << QString();
    }

    // The label shows progress every 20 files, and only then do events run.
    void progress()
    {
        QFETCH(int, files);
        QFETCH(QString, percents);
        QStringList texts =
            percents.split(' ', Qt::SkipEmptyParts).replaceInStrings("%", "% Renamed");
        texts << RenamePass::completedText();
        TempFolder dir;
        for (int i = 0; i < files; ++i)
            QVERIFY(dir.write(QStringLiteral("f%1").arg(i)));
        Fixture f(dir.path(), {});
        f.session.generateNames();
        QStringList shown;
        connect(&f.pass, &RenamePass::status, [&shown](const QString& t) { shown << t; });
        const int yieldsBefore = f.faults.yields;
        f.pass.renameFiles(-1);
        QCOMPARE(shown, texts);
        QCOMPARE(f.faults.yields - yieldsBefore, int(texts.size()) - 1);
        QCOMPARE(dir.names().filter("New_Filename_").size(), files);
    }

    void undo_data()
    {
        QTest::addColumn<bool>("journalFile");
        QTest::newRow("from the journal") << true;
        QTest::newRow("journal file not written: in memory") << false;
    }

    // The window's undo: a name taken by another program since the pass is
    // named and stays; the entry stays enabled, and once the name is free
    // the next undo does the rest (and only the rest).
    void undo()
    {
        QFETCH(bool, journalFile);
        TempFolder dir, state;
        const QByteArray home = qgetenv("XDG_STATE_HOME");
        // A file where the state folder would be: no journal can be written.
        QVERIFY(state.write("quillon"));
        if (!journalFile)
            qputenv("XDG_STATE_HOME", state.path().toUtf8());
        Fixture f(dir.path(), "a b c", "a>x b>y");
        f.session.setExtension(QStringLiteral(".png"));
        QSignalSpy enabled(&f.session, &Session::undoEnabledChanged);
        QSignalSpy typeBox(&f.pass, &RenamePass::typeBoxText);
        QSignalSpy running(&f.pass, &RenamePass::runningChanged);
        f.pass.renameAndRescan(-1);
        qputenv("XDG_STATE_HOME", home);
        QCOMPARE(f.faults.messages.size(), journalFile ? 0 : 1);
        QCOMPARE(snapshot(dir), QStringLiteral("c=c x=a y=b"));
        QCOMPARE(typeBox.takeFirst().at(0).toString(), QStringLiteral("*.png"));
        QCOMPARE(f.session.lastPosition(), 2); // rescanned
        QVERIFY(dir.write("a", "other"));
        f.pass.undoLastPass();
        QCOMPARE(snapshot(dir), QStringLiteral("a=other b=b c=c x=a"));
        QCOMPARE(f.faults.messages.value(journalFile ? 0 : 1),
                 QStringLiteral("not undone: x -> a: a is taken"));
        QVERIFY(f.session.undoEnabled());
        QCOMPARE(running.size(), 4);
        QVERIFY(QFile::rename(dir.file("a"), dir.file("o")));
        // A step undone already is not undone again.
        QVERIFY(QFile::rename(dir.file("b"), dir.file("y")));
        f.pass.undoLastPass();
        QCOMPARE(snapshot(dir), QStringLiteral("a=a c=c o=other y=b"));
        QCOMPARE(enabled.size(), 2);
        QVERIFY(!f.session.undoEnabled());
        QCOMPARE(f.faults.messages.size(), journalFile ? 1 : 2);
    }

    // The window's pass writes its journal, with a step whose new name
    // changed while the pass let events run as it was done; Ctrl+Z undoes
    // newest first, so a chain comes back whole.
    void windowPassChain()
    {
        TempFolder dir;
        Fixture f(dir.path(), "a b d", "b>c a>b d>e");
        std::reverse(f.session.model().displayOrder().begin(),
                     f.session.model().displayOrder().end());
        f.faults.events = [&] { f.session.model().setNewNameAt(1, u"x"); };
        f.pass.renameAndRescan(-1);
        QCOMPARE(snapshot(dir), QStringLiteral("b=a e=d x=b"));
        QFile kept(JournalFolder::journals().constLast());
        QVERIFY(kept.open(QIODevice::ReadOnly));
        RenameJournal::Contents journal;
        QString why;
        QVERIFY2(RenameJournal::read(kept.readAll(), journal, why), qPrintable(why));
        QCOMPARE(journal.folder, dir.path());
        QCOMPARE(journal.performed, (Steps{{"d", "e"}, {"b", "x"}, {"a", "b"}}));
        f.pass.undoLastPass();
        QCOMPARE(snapshot(dir), QStringLiteral("a=a b=b d=d"));
        QVERIFY(f.faults.messages.isEmpty());
    }

    void datesThenAttributes()
    {
        TempFolder dir;
        Fixture f(dir.path(), "a h:h", "a>b");
        FileDates::creationPickerChanged(f.session, QStringLiteral("1/2/2020"), {});
        f.pass.renameFiles(FileSystem::Hidden | FileSystem::ReadOnly);
        const qint64 picked = QDateTime(QDate(2020, 1, 2), QTime(0, 0)).toSecsSinceEpoch();
        FileSystem::Entry b, h;
        QCOMPARE(f.faults.stat(dir.file("b"), b), 0);
        QCOMPARE(f.faults.stat(dir.file("h"), h), 0);
        QCOMPARE(b.created.seconds, picked);
        QCOMPARE(h.created.seconds, picked); // a hidden file's too
        QCOMPARE(b.attributes, FileSystem::Hidden | FileSystem::ReadOnly);
        QCOMPARE(h.attributes, FileSystem::Hidden | FileSystem::ReadOnly);
    }

    // Refusals planted in the file services. Where user attributes are
    // missing (ramfs), Hidden and the creation date fail with 75, as
    // TestPosixFileSystem::withoutUserXattrs shows of the real services.
    void faults_data()
    {
        QTest::addColumn<int>("renameCode");
        QTest::addColumn<int>("dateCode");
        QTest::addColumn<int>("attributeCode");
        QTest::addColumn<int>("attributes");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("renamed");
        auto row = [](const char* tag, int renameCode, int dateCode, int attributeCode,
                      int attributes, const char* answer, const QStringList& messages,
                      bool renamed) {
            QTest::newRow(tag) << renameCode << dateCode << attributeCode << attributes
                               << QString(answer) << messages << renamed;
        };
        const QStringList readOnly{
            QStringLiteral("a: the medium is read-only\n\nCannot Rename Read-only Media")};
        row("read-only medium", FileErrors::InvalidCall, 0, 0, -1, "retry", readOnly, true);
        const QString dates = QStringLiteral("The dates of 1 file could not be written:\na: ");
        row("full disk writing dates", 0, FileErrors::DiskFull, 0, -1, "",
            {dates + "The Current Drive is full, Cannot read or write file"}, true);
        const QString noAttributes = "its attributes cannot be set (Cannot Read or Write file to "
                                     "the current protected Read-Only drive or directory)";
        row("no xattrs: hidden", 0, 75, 75, FileSystem::Hidden, "skip",
            {"a: " + noAttributes + "\n\n" + Conflict,
             dates + "Cannot Read or Write file to the current protected Read-Only drive or "
                     "directory",
             "0 of 1 renamed; 1 not renamed:\na: " + noAttributes},
            false);
    }

    void faults()
    {
        QFETCH(int, renameCode);
        QFETCH(int, dateCode);
        QFETCH(int, attributeCode);
        QFETCH(int, attributes);
        QFETCH(QString, answer);
        QFETCH(bool, renamed);
        TempFolder dir;
        Fixture f(dir.path(), "a", "a>b");
        FileDates::creationPickerChanged(f.session, QStringLiteral("1/2/2020"), {});
        f.faults.failAll(QStringLiteral("rename"), renameCode);
        f.faults.failAll(QStringLiteral("setCreationTime"), dateCode);
        f.faults.failAll(QStringLiteral("setModifiedTime"), dateCode);
        f.faults.failAll(QStringLiteral("setAttributes"), attributeCode);
        f.faults.answer(answer);
        f.faults.fix = [&] { f.faults.failAll(QStringLiteral("rename"), 0); };
        QCOMPARE(f.pass.renameFiles(attributes), RenamePass::Outcome::Completed);
        QTEST(f.faults.messages, "messages");
        QCOMPARE(f.faults.isVisibleFile(dir.file("b")), renamed);
        QCOMPARE(f.faults.isVisibleFile(dir.file("a")), !renamed);
    }

    // The journal alone, without the pass.
    void undoRestoresEveryPassWhole_data()
    {
        QTest::addColumn<QStringList>("names"); // before the pass; each file holds its name
        QTest::addColumn<Steps>("steps");       // the renames of the pass, in order
        QTest::addColumn<int>("done");          // how many of them ran
        QTest::addColumn<bool>("recorded");     // recorded and finished, else killed unrecorded
        const Steps chain{{"b", "c"}, {"a", "b"}};
        const Steps cycle{{"a", "t"}, {"c", "a"}, {"b", "c"}, {"t", "b", true}};
        QTest::newRow("chain") << QStringList{"a", "b"} << chain << 2 << true;
        QTest::newRow("3-cycle through a temporary name")
            << QStringList{"a", "b", "c"} << cycle << 4 << true;
        QTest::newRow("chain, killed before any record")
            << QStringList{"a", "b"} << chain << 2 << false;
        QTest::newRow("cycle, killed halfway") << QStringList{"a", "b", "c"} << cycle << 2 << false;
        QTest::newRow("cycle, killed before the first rename")
            << QStringList{"a", "b", "c"} << cycle << 0 << false;
        // Escaped characters, names that are not ASCII, a byte that is not UTF-8.
        const QString e = "e\n\\\U0001F600", byte = FileNameCodec::decode("d\xe9");
        const Steps odd{{e, "n\r"}, {"a\\b\tc", e}, {byte, "caf\u00e9"}};
        QTest::newRow("names that need escapes")
            << QStringList{"a\\b\tc", byte, e} << odd << 3 << true;
    }

    // The journal is written through its own API as the pass writes it; a kill
    // leaves the plan alone on disk, and the undo finds the renamed steps there.
    void undoRestoresEveryPassWhole()
    {
        QFETCH(QStringList, names);
        QFETCH(Steps, steps);
        QFETCH(int, done);
        QFETCH(bool, recorded);
        TempFolder dir, records;
        for (const QString& n : names)
            QVERIFY(dir.write(n, n.toUtf8()));
        PosixFileSystem fs;
        {
            RenameJournal journal;
            QCOMPARE(journal.begin(records.file("j"), dir.path(), steps), 0);
            for (int i = 0; i < done; ++i) {
                journal.before(i);
                QCOMPARE(fs.rename(dir.file(steps[i].from), dir.file(steps[i].to)), 0);
                journal.done(i);
                journal.reached(i);
            }
            if (recorded)
                QCOMPARE(journal.finish(true), 0);
        }
        RenameJournal::Contents contents;
        QString why;
        QVERIFY2(RenameJournal::read(records.read("j"), contents, why), qPrintable(why));
        QCOMPARE(contents.renamedCount(), recorded ? done : 0);
        const RenameJournal::UndoReport report = RenameJournal::undo(fs, contents, nullptr);
        QCOMPARE(report.renamed, done);
        QVERIFY(report.complete());
        QCOMPARE(dir.names(), names);
        for (const QString& n : names)
            QCOMPARE(dir.read(n), n.toUtf8());
    }

    // A kill between the two steps of a change of letter case on a disk
    // that folds case (exFAT): the journal holds the first step, and the
    // undo brings the file back from its temporary name.
    void caseOnlyRenameKilledBetweenItsSteps()
    {
        ScratchMount mount{ScratchMount::Exfat};
        if (!mount.available())
            QSKIP(qPrintable(mount.skipReason()));
        TempFolder records;
        const QString journalPath = records.file("rec.undo");
        const pid_t child = ::fork();
        if (child == 0) {
            Fixture f(mount.path(), "Report.TXT", "Report.TXT>report.TXT");
            f.faults.before = [](const QString& operation, const QString& path) {
                if (operation == QLatin1String("rename") && path.endsWith(".quillon-case"))
                    ::_exit(9);
            };
            RenameJournal journal;
            if (f.pass.beginJournal(journal, journalPath) != 0)
                ::_exit(1);
            f.pass.setJournal(&journal);
            f.pass.renameFiles(-1);
            ::_exit(0);
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QCOMPARE(WEXITSTATUS(status), 9);
        QCOMPARE(QDir(mount.path()).entryList(QDir::Files), QStringList{"Report.TXT.quillon-case"});
        // FUSE answers for a name it looked up for a second after the name
        // is gone; an undo after a kill comes later than that.
        QThread::msleep(1100);
        PosixFileSystem fs;
        const RenameJournal::UndoReport undone = RenameJournal::undoFile(fs, journalPath);
        QVERIFY2(undone.complete(), qPrintable(RenamePass::undoProblems(undone)));
        QCOMPARE(QDir(mount.path()).entryList(QDir::Files), QStringList{"Report.TXT"});
    }

    void undoRefusesWhatIsNotAName_data()
    {
        // %D the journal's folder, %O a folder beside it; "moved" was renamed
        // from "kept" by the pass, the other pair is the edited one.
        QTest::addColumn<QByteArray>("pair");
        QTest::addColumn<QString>("refused");
        QTest::newRow("outside") << QByteArray("%O/secret\tmoved2") << "%O/secret -> moved2";
        QTest::newRow("relative") << QByteArray("sub/secret\tmoved2") << "sub/secret -> moved2";
        QTest::newRow("..") << QByteArray("..\tmoved2") << ".. -> moved2";
        QTest::newRow("empty") << QByteArray("\tmoved2") << " -> moved2";
        QTest::newRow("a folder") << QByteArray("was\tsub") << "was -> sub (a folder)";
    }

    // An edited journal moves nothing into or out of another folder; the rest
    // of it is undone and the refused pair is named.
    void undoRefusesWhatIsNotAName()
    {
        QFETCH(QByteArray, pair);
        QFETCH(QString, refused);
        TempFolder dir, out;
        QVERIFY(dir.write("moved", "kept"));
        QVERIFY(dir.write("moved2", "2"));
        QVERIFY(QDir(dir.path()).mkdir("sub"));
        QVERIFY(out.write("secret", "secret"));
        const QByteArray d = dir.path().chopped(1).toUtf8(), o = out.path().chopped(1).toUtf8();
        pair.replace("%D", d).replace("%O", o);
        refused.replace("%D", d).replace("%O", o);
        const QByteArray text = "Quillon rename journal\nfolder\t" + d +
                                "/\nstep\tkept\tmoved\nstep\t" + pair +
                                "\nplanned\t2\ndone\t1\ndone\t0\nfinished\n";
        RenameJournal::Contents contents;
        QString why;
        QVERIFY2(RenameJournal::read(text, contents, why), qPrintable(why));
        PosixFileSystem fs;
        const RenameJournal::UndoReport report = RenameJournal::undo(fs, contents, nullptr);
        QCOMPARE(report.refused, QStringList{refused});
        QCOMPARE(dir.names(), (QStringList{"kept", "moved2", "sub"}));
        QCOMPARE(out.names(), QStringList{"secret"});
    }
};

QTEST_GUILESS_MAIN(TestRenamePass)
#include "TestRenamePass.moc"
