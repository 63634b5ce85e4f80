#include "ForwardingFileSystem.h"
#include "PromptRecorder.h"
#include "TempFolder.h"

#include "app/BatchRunner.h"
#include "app/Session.h"
#include "platform/FileErrors.h"

#include <QSignalSpy>
#include <QtTest>

#include <unistd.h>

using Files = QMap<QString, QByteArray>;
Q_DECLARE_METATYPE(Files)

namespace
{

const QString NotFound = QStringLiteral("Executable command not found...");
const QString OtherError = QStringLiteral("Drive, File, Admin, Command Error Encountered...");

// Records what would start; the start numbered failAt fails with failCode.
class RecordingLauncher : public ProcessLauncher
{
public:
    QStringList starts; // arguments joined by "|", then " (minimised)" or " (normal)"
    int failAt = -1;
    int failCode = 0;

    int start(const QStringList& arguments, WindowState state) override
    {
        starts << arguments.join(QLatin1Char('|')) + (state == WindowState::Minimised
                                                          ? QStringLiteral(" (minimised)")
                                                          : QStringLiteral(" (normal)"));
        return starts.size() - 1 == failAt ? failCode : 0;
    }
};

// A folder with files; the list holds `listed` in that order (all files, in
// scan order, when empty), each with the new name "new-" + its name.
struct Batch {
    Batch(const Files& files, QStringList listed = {})
    {
        for (auto it = files.begin(); it != files.end(); ++it)
            folder.write(it.key(), it.value());
        session.Dr = folder.path();
        session.ListRefresh();
        if (!listed.isEmpty()) {
            QStringList rows;
            for (const QString& name : listed)
                rows << QStringLiteral("||") + name + QStringLiteral("||");
            session.model().AddArray(rows);
            session.FileLast = int(listed.size()) - 1;
        }
        for (int p = 0; p <= session.FileLast; ++p) {
            names << session.model().SourceName(p);
            session.model().DesChange(p, QStringLiteral("new-") + names.last());
        }
    }
    // %F is the listed folder, %D the destination folder (no trailing "/").
    QString expand(QString text) const
    {
        return text.replace(QLatin1String("%F"), folder.path().chopped(1))
            .replace(QLatin1String("%D"), dest.path().chopped(1));
    }
    Files contents(const TempFolder& dir) const
    {
        Files out;
        for (const QString& name : dir.names())
            out.insert(name, dir.read(name));
        return out;
    }
    TempFolder folder;
    TempFolder dest;
    ForwardingFileSystem fs;
    PromptRecorder prompter;
    Session session{fs, prompter};
    RecordingLauncher launcher;
    QStringList names;
};

} // namespace

class TestBatchRunner : public QObject
{
    Q_OBJECT
private slots:
    void internalCommands_data();
    void internalCommands();
    void setFileAttributes_data();
    void setFileAttributes();
    void startedPrograms_data();
    void startedPrograms();
    void initialLineAndControls();
    void namesNeverReachAShell();
};

void TestBatchRunner::internalCommands_data()
{
    QTest::addColumn<Files>("files");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QString>("vanish"); // deleted after the scan
    QTest::addColumn<Files>("destBefore");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("message");
    QTest::addColumn<Files>("filesAfter");
    QTest::addColumn<Files>("destAfter");
    QTest::addColumn<int>("linesShown");
    QTest::addColumn<bool>("realStart"); // start programs for real (else record them)

    const Files ab{{"a.txt", "A"}, {"b.txt", "B"}};
    const QStringList both{"a.txt", "b.txt"};
    QTest::newRow("copy under the new names")
        << ab << both << "" << Files{} << "Filecopy Sourcefiles$ %D/Destnames$"
        << "" << ab << Files{{"new-a.txt", "A"}, {"new-b.txt", "B"}} << 2 << false;
    QTest::newRow("copy over an existing target")
        << ab << both << "" << Files{{"new-a.txt", "old"}, {"other", "O"}}
        << "Filecopy Sourcefiles$ %D/Destnames$"
        << "" << ab << Files{{"new-a.txt", "A"}, {"new-b.txt", "B"}, {"other", "O"}} << 2 << false;
    QTest::newRow("delete every listed file")
        << ab << both << "" << Files{} << "Delete Sourcefiles$"
        << "" << Files{} << Files{} << 2 << false;
    QTest::newRow("typed wildcard; no match the second time")
        << ab << both << "" << Files{{"x.bak", ""}, {"y.bak", ""}, {"keep", "K"}}
        << "Delete %D/*.bak" << NotFound << ab << Files{{"keep", "K"}} << 2 << false;
    QTest::newRow("command word inside a path does nothing")
        << ab << both << "" << Files{} << "echo %D/Delete/Sourcefiles$"
        << "" << ab << Files{} << 2 << false;
    QTest::newRow("stops at the file that is gone")
        << Files{{"a", "A"}, {"b", "B"}, {"c", "C"}} << QStringList{"a", "b", "c"} << "b" << Files{}
        << "Delete Sourcefiles$" << NotFound << Files{{"c", "C"}} << Files{} << 2 << false;
    QTest::newRow("lower-case word is no command")
        << ab << both << "" << Files{} << "filecopy Sourcefiles$ %D/x" << NotFound << ab << Files{}
        << 1 << true;
    QTest::newRow("missing word after Filecopy")
        << ab << both << "" << Files{} << "Filecopy Sourcefiles$" << OtherError << ab << Files{}
        << 1 << false;
    QTest::newRow("two blanks give an empty word")
        << ab << both << "" << Files{} << "Filecopy  Sourcefiles$ %D/x" << NotFound << ab << Files{}
        << 1 << false;
    QTest::newRow("empty line") << ab << both << "" << Files{} << "" << NotFound << ab << Files{}
                                << 0 << true;
    QTest::newRow("copy onto itself keeps the file")
        << ab << both << "" << Files{} << "Filecopy Sourcefiles$ Sourcefiles$" << OtherError << ab
        << Files{} << 1 << false;
    // Linux names may hold what other systems forbid: blanks cut nothing,
    // wildcards and placeholders in a name stand for themselves.
    QTest::newRow("path with blanks")
        << Files{{"my file.txt", "M"}, {"my", "decoy"}, {"file.txt", "decoy"}}
        << QStringList{"my file.txt"} << "" << Files{} << "Filecopy Sourcefiles$ %D/Destnames$"
        << "" << Files{{"my file.txt", "M"}, {"my", "decoy"}, {"file.txt", "decoy"}}
        << Files{{"new-my file.txt", "M"}} << 1 << false;
    QTest::newRow("delete a path with blanks")
        << Files{{"my file.txt", "M"}, {"my", "decoy"}} << QStringList{"my file.txt"} << ""
        << Files{} << "Delete Sourcefiles$"
        << "" << Files{{"my", "decoy"}} << Files{} << 1 << false;
    QTest::newRow("wildcards in a name")
        << Files{{"a*", "1"}, {"abc", "2"}, {"a?c", "3"}, {"[a]", "4"}, {"a", "5"}}
        << QStringList{"a*", "a?c", "[a]"} << "" << Files{} << "Delete Sourcefiles$"
        << "" << Files{{"abc", "2"}, {"a", "5"}} << Files{} << 3 << false;
    QTest::newRow("placeholder in a name")
        << Files{{"Destnames$", "1"}, {"new-Destnames$", "2"}} << QStringList{"Destnames$"} << ""
        << Files{} << "Delete Sourcefiles$"
        << "" << Files{{"new-Destnames$", "2"}} << Files{} << 1 << false;
}

void TestBatchRunner::internalCommands()
{
    QFETCH(Files, files);
    QFETCH(QStringList, listed);
    QFETCH(QString, vanish);
    QFETCH(Files, destBefore);
    QFETCH(QString, line);
    QFETCH(QString, message);
    QFETCH(Files, filesAfter);
    QFETCH(Files, destAfter);
    QFETCH(int, linesShown);
    QFETCH(bool, realStart);
    Batch batch(files, listed);
    for (auto it = destBefore.begin(); it != destBefore.end(); ++it)
        QVERIFY(batch.dest.write(it.key(), it.value()));
    if (!vanish.isEmpty())
        QVERIFY(::unlink(batch.folder.file(vanish).toLocal8Bit()) == 0);
    BatchRunner runner(batch.session, realStart ? ProcessLauncher::instance() : batch.launcher);
    QSignalSpy shown(&runner, &BatchRunner::CMDrChanged);

    runner.Text3 = batch.expand(line);
    runner.Command3(0);

    QCOMPARE(batch.prompter.messages, message.isEmpty() ? QStringList() : QStringList(message));
    QCOMPARE(batch.contents(batch.folder), filesAfter);
    QCOMPARE(batch.contents(batch.dest), destAfter);
    QCOMPARE(shown.count(), linesShown);
    QCOMPARE(batch.prompter.yields - 1, linesShown); // the scan yields once too
    QCOMPARE(batch.launcher.starts, QStringList());
}

void TestBatchRunner::setFileAttributes_data()
{
    QTest::addColumn<int>("value");
    QTest::newRow("none checked") << 0;
    QTest::newRow("Readonly and System") << 5;
    QTest::newRow("Hidden") << 2;
}

void TestBatchRunner::setFileAttributes()
{
    QFETCH(int, value);
    Batch batch({{"a.txt", "A"}, {"b.txt", "B"}});
    QCOMPARE(batch.fs.setAttributes(batch.folder.file("a.txt"), FileSystem::Hidden), 0);
    BatchRunner runner(batch.session, batch.launcher);
    runner.Text3 = QStringLiteral("SetFileAttributes Sourcefiles$");
    runner.Command3(value);

    QCOMPARE(batch.prompter.messages, QStringList());
    for (const QString& name : QStringList{"a.txt", "b.txt"}) {
        int attributes = -1;
        QCOMPARE(batch.fs.attributes(batch.folder.file(name), attributes), 0);
        QCOMPARE(attributes & (FileSystem::ReadOnly | FileSystem::Hidden | FileSystem::System),
                 value);
    }
}

void TestBatchRunner::startedPrograms_data()
{
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QString>("line"); // "<CMD>" presses the CMD button
    QTest::addColumn<int>("failAt");
    QTest::addColumn<int>("failCode");
    QTest::addColumn<QStringList>("starts");
    QTest::addColumn<QString>("message");

    const QStringList ab{"a.txt", "b.txt"};
    QTest::newRow("a program per file")
        << ab << "viewer Sourcefiles$" << -1 << 0
        << QStringList{"viewer|%F/a.txt (minimised)", "viewer|%F/b.txt (minimised)"} << "";
    QTest::newRow("quoted program, names inside arguments")
        << ab << R"("/opt/my tools/conv" --in=Sourcefiles$ --out "Destnames$")" << -1 << 0
        << QStringList{"/opt/my tools/conv|--in=%F/a.txt|--out|new-a.txt (minimised)",
                       "/opt/my tools/conv|--in=%F/b.txt|--out|new-b.txt (minimised)"}
        << "";
    QTest::newRow("lower-case command word starts a program")
        << ab << "delete Sourcefiles$" << -1 << 0
        << QStringList{"delete|%F/a.txt (minimised)", "delete|%F/b.txt (minimised)"} << "";
    QTest::newRow("names with shell syntax stay one argument")
        << QStringList{"x; touch PWNED", "$(touch PWNED)", "a b"} << "touch Sourcefiles$-seen" << -1
        << 0
        << QStringList{"touch|%F/x; touch PWNED-seen (minimised)",
                       "touch|%F/$(touch PWNED)-seen (minimised)", "touch|%F/a b-seen (minimised)"}
        << "";
    QTest::newRow("no placeholder: started once")
        << ab << "notes readme.txt" << -1 << 0 << QStringList{"notes|readme.txt (normal)"} << "";
    QTest::newRow("stops where a program is missing")
        << QStringList{"a", "b", "c"} << "viewer Sourcefiles$" << 1 << 53
        << QStringList{"viewer|%F/a (minimised)", "viewer|%F/b (minimised)"} << NotFound;
    QTest::newRow("other start failure")
        << ab << "viewer" << 0 << 75 << QStringList{"viewer (normal)"} << OtherError;
    QTest::newRow("CMD opens a terminal")
        << ab << "<CMD>" << -1 << 0 << QStringList{"cmd (normal)"} << "";
}

void TestBatchRunner::startedPrograms()
{
    QFETCH(QStringList, listed);
    QFETCH(QString, line);
    QFETCH(int, failAt);
    QFETCH(int, failCode);
    QFETCH(QStringList, starts);
    QFETCH(QString, message);
    Files files;
    for (const QString& name : listed)
        files.insert(name, "x");
    Batch batch(files, listed);
    batch.launcher.failAt = failAt;
    batch.launcher.failCode = failCode;
    BatchRunner runner(batch.session, batch.launcher);

    if (line == QLatin1String("<CMD>")) {
        runner.Command6();
    } else {
        runner.Text3 = line;
        runner.Command3(0);
    }

    for (QString& start : starts)
        start = batch.expand(start);
    QCOMPARE(batch.launcher.starts, starts);
    QCOMPARE(batch.prompter.messages, message.isEmpty() ? QStringList() : QStringList(message));
    QCOMPARE(batch.contents(batch.folder), files);
}

// The line the box starts with copies every file into the temp folder under
// its new name; the box keeps every line run, and Execute is off meanwhile.
void TestBatchRunner::initialLineAndControls()
{
    TempFolder temp;
    Batch batch({{"a.txt", "A"}, {"b.txt", "B"}});
    const QByteArray oldTemp = qgetenv("TMPDIR");
    qputenv("TMPDIR", temp.path().toLocal8Bit());
    BatchRunner runner(batch.session, batch.launcher);
    qputenv("TMPDIR", oldTemp);
    QSignalSpy enabled(&runner, &BatchRunner::Command3EnabledChanged);
    QSignalSpy shown(&runner, &BatchRunner::CMDrChanged);
    const QString initial =
        QStringLiteral("Filecopy Sourcefiles$ ") + temp.path() + QStringLiteral("Destnames$");
    QCOMPARE(runner.Text3, initial);
    QCOMPARE(runner.Text3List,
             QStringList({"Delete Sourcefiles$", initial, "SetFileAttributes Sourcefiles$",
                          "FrontText+BackText"}));

    runner.Command3(0);
    runner.Command3(0);

    QCOMPARE(batch.prompter.messages, QStringList());
    QCOMPARE(temp.names(), QStringList({"new-a.txt", "new-b.txt"}));
    QCOMPARE(temp.read("new-b.txt"), QByteArray("B"));
    QCOMPARE(runner.Text3List.mid(4), QStringList({initial, initial}));
    QCOMPARE(enabled.count(), 4);
    for (int i = 0; i < 4; ++i)
        QCOMPARE(enabled.at(i).at(0).toBool(), i % 2 == 1);
    QCOMPARE(shown.count(), 4);
    const QString first = shown.at(0).at(0).toString();
    QCOMPARE(first, QStringLiteral("Filecopy ") + batch.folder.path() + batch.names[0] +
                        QLatin1Char(' ') + temp.path() + QStringLiteral("new-") + batch.names[0]);
}

// Started for real: a file name with shell syntax in it is handed to the
// program as one argument, and nothing else runs.
void TestBatchRunner::namesNeverReachAShell()
{
    const QStringList names{"x; touch PWNED", "$(touch PWNED)", "a b; touch PWNED"};
    Files files;
    for (const QString& name : names)
        files.insert(name, "x");
    Batch batch(files);
    BatchRunner runner(batch.session);
    runner.Text3 = QStringLiteral("touch Sourcefiles$-seen");
    runner.Command3(0);

    QCOMPARE(batch.prompter.messages, QStringList());
    for (const QString& name : names)
        QTRY_VERIFY(batch.folder.exists(name + QStringLiteral("-seen")));
    QTest::qWait(200);
    QCOMPARE(batch.folder.names().size(), 6);
    QVERIFY(!batch.folder.exists(QStringLiteral("PWNED")));
    QVERIFY(!QFile::exists(QStringLiteral("PWNED")));
}

QTEST_GUILESS_MAIN(TestBatchRunner)
#include "TestBatchRunner.moc"
