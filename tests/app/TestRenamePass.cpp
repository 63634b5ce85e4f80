#include "app/FileDates.h"
#include "app/RenamePass.h"
#include "app/Session.h"
#include "platform/FileErrors.h"
#include "platform/PosixFileSystem.h"

#include "PromptRecorder.h"
#include "ScratchMount.h"
#include "TempFolder.h"

#include <QSignalSpy>
#include <QTest>

#include <sys/mount.h>
#include <sys/stat.h>

#include <algorithm>
#include <functional>

namespace
{

const QString Conflict = QStringLiteral("Read-Only media or file name conflict Error occured.");
const QString Exists =
    QStringLiteral("Cannot rename to '%1' because that filename aready exists...");

// The real file services with faults switched on by the test: a rename
// refused with a code, and date writes failing with a code.
class FaultFileSystem : public PosixFileSystem
{
public:
    int rename(const QString& from, const QString& to) override
    {
        return renameCode ? renameCode : PosixFileSystem::rename(from, to);
    }
    int setCreationTime(const QString& path, const Time& t) override
    {
        return dateCode ? dateCode : PosixFileSystem::setCreationTime(path, t);
    }
    int setModifiedTime(const QString& path, const Time& t) override
    {
        return dateCode ? dateCode : PosixFileSystem::setModifiedTime(path, t);
    }
    int renameCode = 0;
    int dateCode = 0;
};

// Answers failures from the script after running `fix` (the person removing
// the cause before pressing OK).
class FixingRecorder : public PromptRecorder
{
public:
    FailureAnswer failure(const QString& text) override
    {
        if (fix)
            fix();
        return PromptRecorder::failure(text);
    }
    std::function<void()> fix;
};

// Creates the files of `spec` in folder: "h:name" a hidden file, "d:name" a
// folder, else a file whose content is its own name, so a test can tell
// which file ended under which name.
void create(FileSystem& fs, const QString& folder, const QStringList& spec)
{
    for (const QString& s : spec) {
        if (s.startsWith(QLatin1String("d:"))) {
            QVERIFY(::mkdir(QString(folder + s.mid(2)).toUtf8().constData(), 0755) == 0);
            continue;
        }
        const QString name = s.startsWith(QLatin1String("h:")) ? s.mid(2) : s;
        QCOMPARE(fs.createFile(folder + name, name.toUtf8()), 0);
        if (name != s)
            QCOMPARE(fs.setAttributes(folder + name, FileSystem::Hidden), 0);
    }
}

// Scans, shows the list sorted by name (so positions are known) and
// proposes "old>new" for the files named in plan; others keep their name.
void propose(Session& session, const QStringList& plan)
{
    session.ListRefresh();
    FileListModel& model = session.model();
    std::sort(model.displayOrder().begin(), model.displayOrder().end(),
              [&](int a, int b) { return model.sourceNameOf(a) < model.sourceNameOf(b); });
    for (int k = 0; k <= session.FileLast; ++k)
        model.DesChange(k, model.SourceName(k));
    for (const QString& step : plan) {
        const QStringList pair = step.split(QLatin1Char('>'));
        for (int k = 0; k <= session.FileLast; ++k) {
            if (model.SourceName(k) == pair[0])
                model.DesChange(k, pair[1]);
        }
    }
}

// "name=content" for every file, "name/" for every folder, sorted.
QStringList snapshot(const TempFolder& dir)
{
    QStringList out;
    for (const QString& name : dir.names()) {
        struct stat st;
        ::stat(dir.file(name).toUtf8().constData(), &st);
        out << (S_ISDIR(st.st_mode) ? name + QLatin1Char('/')
                                    : name + QLatin1Char('=') + QString::fromUtf8(dir.read(name)));
    }
    return out;
}

Prompter::FailureAnswer answerFor(const QString& word)
{
    return word == QLatin1String("retry")  ? Prompter::FailureAnswer::Retry
           : word == QLatin1String("skip") ? Prompter::FailureAnswer::Skip
                                           : Prompter::FailureAnswer::Stop;
}

} // namespace

class TestRenamePass : public QObject
{
    Q_OBJECT
private slots:
    void pass_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("plan");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QStringList>("messages"); // %1 is the folder
        QTest::addColumn<int>("pairs");            // -1: one per listed file
        const QString longName(300, QLatin1Char('x'));
        QTest::newRow("swap stays")
            << QStringList{"a.txt", "b.txt"} << QStringList{"a.txt>b.txt", "b.txt>a.txt"}
            << QStringList() << QStringList{"a.txt=a.txt", "b.txt=b.txt"} << QStringList() << -1;
        QTest::newRow("letter case")
            << QStringList{"photo.JPG"} << QStringList{"photo.JPG>photo.jpg"} << QStringList()
            << QStringList{"photo.jpg=photo.JPG"} << QStringList() << -1;
        QTest::newRow("taken then freed")
            << QStringList{"a", "b"} << QStringList{"a>b", "b>x"} << QStringList()
            << QStringList{"a=a", "x=b"} << QStringList() << -1;
        QTest::newRow("hidden target")
            << QStringList{"a.txt", "h:h.txt"} << QStringList{"a.txt>h.txt"} << QStringList{"skip"}
            << QStringList{"a.txt=a.txt", "h.txt=h.txt"}
            << QStringList{Exists.arg("%1h.txt"), Conflict} << -1;
        QTest::newRow("retry then skip")
            << QStringList{"a.txt", "h:h.txt"} << QStringList{"a.txt>h.txt"}
            << QStringList{"retry", "skip"} << QStringList{"a.txt=a.txt", "h.txt=h.txt"}
            << QStringList{Exists.arg("%1h.txt"), Conflict, Exists.arg("%1h.txt"), Conflict} << -1;
        QTest::newRow("folder target") << QStringList{"a.txt", "d:sub"} << QStringList{"a.txt>sub"}
                                       << QStringList{"skip"} << QStringList{"a.txt=a.txt", "sub/"}
                                       << QStringList{Exists.arg("%1sub"), Conflict} << -1;
        QTest::newRow("name too long")
            << QStringList{"a.txt", "b.txt"} << QStringList{"a.txt>" + longName, "b.txt>c.txt"}
            << QStringList{"skip"} << QStringList{"a.txt=a.txt", "c.txt=b.txt"}
            << QStringList{Conflict} << -1;
        QTest::newRow("not a name")
            << QStringList{"a.txt", "d:x"} << QStringList{"a.txt>x/y"} << QStringList{"skip"}
            << QStringList{"a.txt=a.txt", "x/"} << QStringList{Conflict} << -1;
        QTest::newRow("stop keeps the rest")
            << QStringList{"a.txt", "b.txt", "h:h.txt"} << QStringList{"a.txt>h.txt", "b.txt>c.txt"}
            << QStringList{"stop"} << QStringList{"a.txt=a.txt", "b.txt=b.txt", "h.txt=h.txt"}
            << QStringList{Exists.arg("%1h.txt"), Conflict} << 0;
    }

    void pass()
    {
        QFETCH(QStringList, files);
        QFETCH(QStringList, plan);
        QFETCH(QStringList, answers);
        QFETCH(QStringList, after);
        QFETCH(QStringList, messages);
        QFETCH(int, pairs);
        TempFolder dir;
        PosixFileSystem fs;
        PromptRecorder prompts;
        for (const QString& a : answers)
            prompts.failureAnswers.push_back(answerFor(a));
        Session session(fs, prompts);
        session.Dr = dir.path();
        create(fs, dir.path(), files);
        propose(session, plan);
        RenamePass pass(session);
        QSignalSpy status(&pass, &RenamePass::status);
        const bool stopped = pairs == 0;
        QCOMPARE(pass.renameFiles(-1),
                 stopped ? RenamePass::Outcome::Stopped : RenamePass::Outcome::Completed);
        QCOMPARE(snapshot(dir), after);
        QCOMPARE(prompts.messages.join('\n'), messages.join('\n').replace("%1", dir.path()));
        QCOMPARE(session.undoRecord.count(), pairs < 0 ? session.FileLast + 1 : pairs);
        QCOMPARE(status.last().at(0).toString(),
                 stopped ? RenamePass::failedText() : RenamePass::completedText());
        QVERIFY(prompts.failureAnswers.empty());
    }

    void progress_data()
    {
        QTest::addColumn<int>("files");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("45 files") << 45
                                  << QStringList{"0% Renamed", "45% Renamed", "90% Renamed",
                                                 "Renaming Completed"};
        QTest::newRow("one file") << 1 << QStringList{"100% Renamed", "Renaming Completed"};
        QTest::newRow("no file") << 0 << QStringList{"Renaming Completed"};
    }

    void progress()
    {
        QFETCH(int, files);
        QFETCH(QStringList, texts);
        TempFolder dir;
        for (int i = 0; i < files; ++i)
            QVERIFY(dir.write(QStringLiteral("f%1").arg(i)));
        PosixFileSystem fs;
        PromptRecorder prompts;
        Session session(fs, prompts);
        session.Dr = dir.path();
        session.ListRefresh();
        RenamePass pass(session);
        QStringList shown;
        connect(&pass, &RenamePass::status, [&shown](const QString& t) { shown << t; });
        const int yieldsBefore = prompts.yields;
        pass.renameFiles(-1);
        QCOMPARE(shown, texts);
        QCOMPARE(prompts.yields - yieldsBefore, int(texts.size()) - 1);
        QCOMPARE(dir.names().size(), files);
        QVERIFY(!dir.exists("f0") || files == 0);
    }

    void undo()
    {
        TempFolder dir;
        PosixFileSystem fs;
        PromptRecorder prompts;
        Session session(fs, prompts);
        session.Dr = dir.path();
        create(fs, dir.path(), {"a.txt", "b.txt", "c.txt"});
        propose(session, {"a.txt>x.txt", "b.txt>y.txt"});
        session.Text2 = QStringLiteral(".png");
        RenamePass pass(session);
        QSignalSpy enabled(&session, &Session::undoEnabledChanged);
        QSignalSpy typeBox(&pass, &RenamePass::typeBoxText);
        QSignalSpy running(&pass, &RenamePass::runningChanged);
        pass.Command1_Click(-1);
        QCOMPARE(snapshot(dir), (QStringList{"c.txt=c.txt", "x.txt=a.txt", "y.txt=b.txt"}));
        QCOMPARE(typeBox.takeFirst().at(0).toString(), QStringLiteral("*.png"));
        QVERIFY(session.undoEnabled());
        // The rescan lists the renamed files.
        QCOMPARE(session.FileLast, 2);
        // Another program took one old name meanwhile: that pair stays.
        QVERIFY(dir.write("a.txt", "other"));
        pass.Undo_Rename_Click();
        QCOMPARE(snapshot(dir),
                 (QStringList{"a.txt=other", "b.txt=b.txt", "c.txt=c.txt", "x.txt=a.txt"}));
        QCOMPARE(enabled.size(), 2);
        QCOMPARE(enabled.at(1).at(0).toBool(), false);
        QCOMPARE(running.size(), 4);
        // Disabled now: a second undo does nothing.
        QVERIFY(fs.rename(dir.file("b.txt"), dir.file("y.txt")) == 0);
        pass.Undo_Rename_Click();
        QVERIFY(dir.exists("y.txt"));
        QVERIFY(prompts.messages.isEmpty());
    }

    void fileDeletedAfterScan()
    {
        TempFolder dir;
        PosixFileSystem fs;
        PromptRecorder prompts;
        Session session(fs, prompts);
        session.Dr = dir.path();
        create(fs, dir.path(), {"a", "b", "c"});
        propose(session, {"a>1", "b>2", "c>3"});
        ::unlink(dir.file("b").toUtf8().constData());
        RenamePass pass(session);
        QCOMPARE(pass.renameFiles(FileSystem::ReadOnly), RenamePass::Outcome::Completed);
        QCOMPARE(snapshot(dir), (QStringList{"1=a", "3=c"}));
        QVERIFY(prompts.messages.isEmpty());
    }

    void datesAndAttributes()
    {
        TempFolder dir;
        PosixFileSystem fs;
        PromptRecorder prompts;
        Session session(fs, prompts);
        session.Dr = dir.path();
        create(fs, dir.path(), {"a.txt", "h:h.txt"});
        propose(session, {"a.txt>b.txt"});
        FileDates::CalanderChange1(session, QStringLiteral("1/2/2020"), {});
        RenamePass pass(session);
        pass.renameFiles(FileSystem::Hidden | FileSystem::ReadOnly);
        const qint64 picked = QDateTime(QDate(2020, 1, 2), QTime(0, 0)).toSecsSinceEpoch();
        FileSystem::Entry b, h;
        QCOMPARE(fs.stat(dir.file("b.txt"), b), 0);
        QCOMPARE(fs.stat(dir.file("h.txt"), h), 0);
        QCOMPARE(b.created.seconds, picked);
        QVERIFY(h.created.seconds != picked); // a hidden file keeps its dates
        QCOMPARE(b.attributes, FileSystem::Hidden | FileSystem::ReadOnly);
        QCOMPARE(h.attributes, FileSystem::Hidden | FileSystem::ReadOnly);
    }

    void faults_data()
    {
        QTest::addColumn<QString>("medium"); // tmpfs-ro, ramfs, disk
        QTest::addColumn<int>("renameCode");
        QTest::addColumn<int>("dateCode");
        QTest::addColumn<int>("attributes");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("renamed");
        const QStringList readOnly{QStringLiteral("Cannot Rename Read-only Media")};
        QTest::newRow("read-only tmpfs")
            << "tmpfs-ro" << 0 << 0 << -1 << "retry" << readOnly << true;
        QTest::newRow("read-only (fake)")
            << "disk" << int(FileErrors::InvalidCall) << 0 << -1 << "retry" << readOnly << true;
        QTest::newRow("full disk writing dates (fake)")
            << "disk" << 0 << int(FileErrors::DiskFull) << -1 << "" << QStringList() << true;
        QTest::newRow("no xattrs: dates") << "ramfs" << 0 << 0 << -1 << "" << QStringList() << true;
        QTest::newRow("no xattrs: hidden") << "ramfs" << 0 << 0 << int(FileSystem::Hidden) << "skip"
                                           << QStringList{Conflict} << false;
    }

    // The person removes a read-only medium's protection before pressing OK.
    void faults()
    {
        QFETCH(QString, medium);
        QFETCH(int, renameCode);
        QFETCH(int, dateCode);
        QFETCH(int, attributes);
        QFETCH(QString, answer);
        QFETCH(QStringList, messages);
        QFETCH(bool, renamed);
        std::unique_ptr<ScratchMount> mount;
        std::unique_ptr<TempFolder> dir;
        QString folder;
        if (medium == QLatin1String("disk")) {
            dir = std::make_unique<TempFolder>();
            folder = dir->path();
        } else {
            mount = std::make_unique<ScratchMount>(
                medium == QLatin1String("ramfs") ? ScratchMount::Ramfs : ScratchMount::Tmpfs);
            if (!mount->available())
                QSKIP(qPrintable(mount->skipReason()));
            folder = mount->path();
        }
        FaultFileSystem fs;
        fs.dateCode = dateCode;
        create(fs, folder, {"a.txt"});
        if (medium == QLatin1String("tmpfs-ro"))
            QVERIFY(mount->remountReadOnly());
        FixingRecorder prompts;
        if (!answer.isEmpty())
            prompts.failureAnswers.push_back(answerFor(answer));
        fs.renameCode = renameCode;
        prompts.fix = [&] {
            fs.renameCode = 0;
            if (medium == QLatin1String("tmpfs-ro"))
                ::mount(nullptr, folder.toUtf8().constData(), nullptr, MS_REMOUNT, nullptr);
        };
        Session session(fs, prompts);
        session.Dr = folder;
        propose(session, {"a.txt>b.txt"});
        FileDates::CalanderChange1(session, QStringLiteral("1/2/2020"), {});
        RenamePass pass(session);
        QCOMPARE(pass.renameFiles(attributes), RenamePass::Outcome::Completed);
        QCOMPARE(prompts.messages, messages);
        QCOMPARE(fs.findName(folder + "b.txt"), renamed);
        QCOMPARE(fs.findName(folder + "a.txt"), !renamed);
    }
};

QTEST_GUILESS_MAIN(TestRenamePass)
#include "TestRenamePass.moc"
