// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScannedFolder.h"

#include "app/BatchRunner.h"
#include "platform/FileNameCodec.h"
#include "platform/SystemProcessLauncher.h"

#include <QSignalSpy>
#include <QtTest>

#include <unistd.h>

Q_DECLARE_METATYPE(Files)

namespace
{

const QString NotFound = QStringLiteral("Executable command not found...");
const QString OtherError = QStringLiteral("Drive, File, Admin, Command Error Encountered...");

// Records what would start, as "program|argument|... (window)"; the start
// numbered failAt fails with failCode.
class RecordingLauncher : public ProcessLauncher
{
public:
    QStringList starts;
    int failAt = -1;
    int failCode = 0;

    int start(const QStringList& arguments, WindowState state, const QString&) override
    {
        starts << arguments.join('|') +
                      (state == WindowState::Minimised ? " (minimised)" : " (normal)");
        return starts.size() - 1 == failAt ? failCode : 0;
    }
};

// A listed folder (only `listed`, in that order, when given) where every file
// has the new name "new-" + its name, and a destination folder beside it.
struct Batch : ScannedFolder {
    Batch(const Files& files, const QStringList& listed = {}) : ScannedFolder(files)
    {
        if (!listed.isEmpty())
            narrowTo(listed);
        for (int p = 0; p <= session.lastPosition(); ++p)
            session.model().setNewNameAt(p, "new-" + session.model().currentNameAt(p));
    }
    // %F: the listed folder, %D: the destination (no trailing "/").
    QString expand(QString text) const
    {
        return text.replace("%F", dir.path().chopped(1)).replace("%D", dest.path().chopped(1));
    }
    TempFolder dest;
    RecordingLauncher launcher;
};

} // namespace

class TestBatchRunner : public QObject
{
    Q_OBJECT
private slots:
    void internalCommands_data()
    {
        QTest::addColumn<Files>("files");
        QTest::addColumn<QStringList>("listed"); // all, in scan order, when empty
        QTest::addColumn<QString>("vanish");     // deleted after the scan
        QTest::addColumn<Files>("destBefore");   // "->PATH": a symbolic link to PATH
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("question"); // asked first, if any
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("message"); // messages joined by "|"
        QTest::addColumn<Files>("filesAfter");
        QTest::addColumn<Files>("destAfter");
        QTest::addColumn<int>("linesShown");
        QTest::addColumn<bool>("realStart"); // programs started for real, else recorded

        const Files ab{{"a.txt", "A"}, {"b.txt", "B"}}, none;
        const Files newAb{{"new-a.txt", "A"}, {"new-b.txt", "B"}};
        const QStringList all;
        const QString copyLine = "Filecopy Sourcefiles$ %D/Destnames$";
        const QString oneTaken = "Copy 2 files to %D/? 1 name there is taken: that file is "
                                 "skipped, never replaced.";
        const QString skipped = "Not copied, because the name is taken (a copy never replaces "
                                "a file):\n";
        const QString deleteAb = "Delete 2 files in %F/?";
        // clang-format off
        QTest::newRow("copy under the new names") << ab << all << "" << none << copyLine << ""
            << true << "" << ab << newAb << 2 << false;
        QTest::newRow("copy never replaces a target") << ab << all << "" << Files{{"new-a.txt", "old"}}
            << copyLine << oneTaken << true << skipped + "%D/new-a.txt" << ab
            << Files{{"new-a.txt", "old"}, {"new-b.txt", "B"}} << 2 << false;
        QTest::newRow("copy never writes through a link") << ab << all << ""
            << Files{{"new-a.txt", "->%F/b.txt"}} << copyLine << oneTaken << true
            << skipped + "%D/new-a.txt" << ab << Files{{"new-a.txt", "B"}, {"new-b.txt", "B"}} << 2
            << false;
        QTest::newRow("copy onto a dangling link") << ab << all << ""
            << Files{{"new-a.txt", "->%F/gone"}} << copyLine << oneTaken << true
            << skipped + "%D/new-a.txt" << ab << Files{{"new-a.txt", ""}, {"new-b.txt", "B"}} << 2
            << false;
        QTest::newRow("copy, answered No") << ab << all << "" << Files{{"new-a.txt", "old"}}
            << copyLine << oneTaken << false << "" << ab << Files{{"new-a.txt", "old"}} << 0 << false;
        QTest::newRow("delete every file") << ab << all << "" << none
            << "Delete Sourcefiles$" << deleteAb << true << "" << none << none << 2 << false;
        QTest::newRow("delete, answered No") << ab << all << "" << none
            << "Delete Sourcefiles$" << deleteAb << false << "" << ab << none << 0 << false;
        QTest::newRow("typed wildcard, no match the second time") << ab << all << ""
            << Files{{"x.bak", ""}, {"y.bak", ""}, {"keep", "K"}} << "Delete %D/*.bak"
            << "Delete %D/*.bak?" << true << NotFound << ab << Files{{"keep", "K"}} << 2 << false;
        QTest::newRow("command word inside a path does nothing") << ab << all << "" << none
            << "echo %D/Delete/Sourcefiles$" << "" << true << "" << ab << none << 2 << false;
        QTest::newRow("stops at the file that is gone") << Files{{"a", "A"}, {"b", "B"}, {"c", "C"}}
            << QStringList{"a", "b", "c"} << "b" << none << "Delete Sourcefiles$"
            << "Delete 3 files in %F/?" << true << NotFound << Files{{"c", "C"}} << none << 2 << false;
        QTest::newRow("lower-case word is no command") << ab << all << "" << none
            << "filecopy Sourcefiles$ %D/x" << "" << true << NotFound << ab << none << 1 << true;
        QTest::newRow("missing word after Filecopy") << ab << all << "" << none
            << "Filecopy Sourcefiles$" << "" << true << OtherError << ab << none << 1 << false;
        QTest::newRow("two blanks give an empty word") << ab << all << "" << none
            << "Filecopy  Sourcefiles$ %D/x" << "Copy 2 files to %F/? 2 names there are taken: "
               "those files are skipped, never replaced." << true << NotFound << ab << none << 1
            << false;
        QTest::newRow("empty line") << ab << all << "" << none
            << "" << "" << true << NotFound << ab << none << 0 << true;
        QTest::newRow("copy onto itself keeps the file") << ab << all << "" << none
            << "Filecopy Sourcefiles$ Sourcefiles$" << "Copy 2 files to %F/? 2 names there are "
               "taken: those files are skipped, never replaced." << true
            << skipped + "%F/a.txt\n%F/b.txt" << ab << none << 2 << false;
        // Linux names may hold what other systems forbid: blanks cut nothing,
        // wildcards and placeholders in a name stand for themselves.
        const Files blanks{{"my file.txt", "M"}, {"my", "-"}, {"file.txt", "-"}};
        // Bare names are in the listed folder, wherever the process is.
        QTest::newRow("copy to bare names") << ab << all << "" << none
            << "Filecopy Sourcefiles$ Destnames$" << "" << true << ""
            << Files{{"a.txt", "A"}, {"b.txt", "B"}, {"new-a.txt", "A"}, {"new-b.txt", "B"}}
            << none << 2 << false;
        QTest::newRow("copy a path with blanks") << blanks << QStringList{"my file.txt"} << "" << none
            << copyLine << "" << true << "" << blanks
            << Files{{"new-my file.txt", "M"}} << 1 << false;
        QTest::newRow("wildcards in a name")
            << Files{{"a*", "1"}, {"abc", "2"}, {"a?c", "3"}, {"[a]", "4"}, {"a", "5"}}
            << QStringList{"a*", "a?c", "[a]"} << "" << none << "Delete Sourcefiles$"
            << "Delete 3 files in %F/?" << true << "" << Files{{"abc", "2"}, {"a", "5"}} << none
            << 3 << false;
        QTest::newRow("placeholder in a name") << Files{{"Destnames$", "1"}, {"new-Destnames$", "2"}}
            << QStringList{"Destnames$"} << "" << none << "Delete Sourcefiles$"
            << "Delete 1 file in %F/?" << true << "" << Files{{"new-Destnames$", "2"}} << none << 1
            << false;
        // clang-format on
    }

    void internalCommands()
    {
        QFETCH(Files, files);
        QFETCH(QStringList, listed);
        QFETCH(QString, vanish);
        QFETCH(Files, destBefore);
        QFETCH(QString, line);
        QFETCH(QString, question);
        QFETCH(QString, message);
        QFETCH(int, linesShown);
        QFETCH(bool, realStart);
        Batch batch(files, listed);
        for (auto it = destBefore.begin(); it != destBefore.end(); ++it) {
            if (it.value().startsWith("->"))
                QCOMPARE(::symlink(batch.expand(it.value().mid(2)).toLocal8Bit(),
                                   batch.dest.file(it.key()).toLocal8Bit()),
                         0);
            else
                QVERIFY(batch.dest.write(it.key(), it.value()));
        }
        if (!vanish.isEmpty())
            QVERIFY(::unlink(batch.dir.file(vanish).toLocal8Bit()) == 0);
        SystemProcessLauncher system;
        BatchRunner runner(batch.session,
                           realStart ? static_cast<ProcessLauncher&>(system) : batch.launcher);
        QSignalSpy shown(&runner, &BatchRunner::lineShown);
        batch.prompter.yields = 0;
        QFETCH(bool, answer);
        batch.prompter.confirmAnswer = answer;

        runner.commandLine = batch.expand(line);
        runner.runForEveryFile(0);

        QTEST(batch.contents(), "filesAfter");
        QTEST(contentsOf(batch.dest), "destAfter");
        QCOMPARE(batch.prompter.messages.join('|'), batch.expand(message));
        QCOMPARE(batch.prompter.questions,
                 question.isEmpty() ? QStringList() : QStringList(batch.expand(question)));
        QCOMPARE(shown.count(), linesShown);
        QCOMPARE(batch.prompter.yields, linesShown);
        QCOMPARE(batch.launcher.starts, QStringList());
    }

    void setFileAttributes_data()
    {
        QTest::addColumn<int>("value");
        QTest::newRow("none checked") << 0;
        QTest::newRow("Readonly and System") << 5;
    }

    void setFileAttributes()
    {
        QFETCH(int, value);
        Batch batch({{"a.txt", "A"}, {"b.txt", "B"}});
        QCOMPARE(batch.fs.setAttributes(batch.dir.file("a.txt"), FileSystem::Hidden), 0); // cleared
        BatchRunner runner(batch.session, batch.launcher);
        runner.commandLine = QStringLiteral("SetFileAttributes Sourcefiles$");
        runner.runForEveryFile(value);

        QCOMPARE(batch.prompter.messages, QStringList());
        for (const QString& name : QStringList{"a.txt", "b.txt"}) {
            int attributes = -1;
            QCOMPARE(batch.fs.attributes(batch.dir.file(name), attributes), 0);
            QCOMPARE(attributes & 7, value);
        }
    }

    void startedPrograms_data()
    {
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<QString>("line"); // "<CMD>": the CMD button
        QTest::addColumn<int>("failAt");
        QTest::addColumn<int>("failCode");
        QTest::addColumn<QStringList>("starts");
        QTest::addColumn<QString>("message");

        const QStringList ab{"a.txt", "b.txt"};
        // clang-format off
        QTest::newRow("quoted program, names inside arguments")
            << ab << R"("/opt/my tools/conv" --in=Sourcefiles$ --out "Destnames$")" << -1 << 0
            << QStringList{"/opt/my tools/conv|--in=%F/a.txt|--out|new-a.txt (minimised)",
                           "/opt/my tools/conv|--in=%F/b.txt|--out|new-b.txt (minimised)"} << "";
        QTest::newRow("lower-case command word starts a program") << ab << "delete Sourcefiles$"
            << -1 << 0 << QStringList{"delete|%F/a.txt (minimised)", "delete|%F/b.txt (minimised)"}
            << "";
        QTest::newRow("names with shell syntax stay one argument")
            << QStringList{"x; touch PWNED", "$(touch PWNED)"} << "touch Sourcefiles$-seen" << -1 << 0
            << QStringList{"touch|%F/x; touch PWNED-seen (minimised)",
                           "touch|%F/$(touch PWNED)-seen (minimised)"} << "";
        QTest::newRow("no placeholder: started once") << ab << "notes readme.txt" << -1 << 0
            << QStringList{"notes|readme.txt (normal)"} << "";
        QTest::newRow("stops where a program is missing") << QStringList{"a", "b", "c"}
            << "viewer Sourcefiles$" << 1 << 53
            << QStringList{"viewer|%F/a (minimised)", "viewer|%F/b (minimised)"} << NotFound;
        QTest::newRow("other start failure") << ab << "viewer" << 0 << 75
            << QStringList{"viewer (normal)"} << OtherError;
        QTest::newRow("CMD opens a terminal") << ab << "<CMD>" << -1 << 0
            << QStringList{"cmd (normal)"} << "";
        // clang-format on
    }

    void startedPrograms()
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
            runner.openTerminal();
        } else {
            runner.commandLine = line;
            runner.runForEveryFile(0);
        }

        for (QString& start : starts)
            start = batch.expand(start);
        QCOMPARE(batch.launcher.starts, starts);
        QCOMPARE(batch.prompter.messages, message.isEmpty() ? QStringList() : QStringList(message));
        QCOMPARE(batch.contents(), files);
    }

    // The line the box starts with copies every file into the temp folder under
    // its new name, and run again replaces none of the copies; the box keeps
    // every line run, and Execute is off meanwhile.
    void initialLineAndControls()
    {
        TempFolder temp;
        Batch batch({{"a.txt", "A"}, {"b.txt", "B"}});
        const QByteArray oldTemp = qgetenv("TMPDIR");
        qputenv("TMPDIR", temp.path().toLocal8Bit());
        BatchRunner runner(batch.session, batch.launcher);
        qputenv("TMPDIR", oldTemp);
        QSignalSpy enabled(&runner, &BatchRunner::executeEnabledChanged);
        QSignalSpy shown(&runner, &BatchRunner::lineShown);
        const QString initial = "Filecopy Sourcefiles$ " + temp.path() + "Destnames$";
        QCOMPARE(runner.commandLine, initial);
        QCOMPARE(runner.history,
                 QStringList({"Delete Sourcefiles$", initial, "SetFileAttributes Sourcefiles$",
                              "FrontText+BackText"}));

        runner.runForEveryFile(0);
        QVERIFY(batch.dir.write("a.txt", "A2"));
        runner.runForEveryFile(0); // the copies are there: asked, and none replaced

        QCOMPARE(batch.prompter.questions.size(), 1);
        QCOMPARE(batch.prompter.messages.size(), 1);
        QCOMPARE(contentsOf(temp), Files({{"new-a.txt", "A"}, {"new-b.txt", "B"}}));
        QCOMPARE(runner.history.mid(4), QStringList({initial, initial}));
        QCOMPARE(enabled.count(), 4);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(enabled.at(i).at(0).toBool(), i % 2 == 1);
        QCOMPARE(shown.count(), 4);
        const QString name = batch.session.model().currentNameAt(0);
        QCOMPARE(shown.at(0).at(0).toString(),
                 "Filecopy " + batch.dir.path() + name + " " + temp.path() + "new-" + name);
    }

    // The programs a batch starts, started for real.
    void systemLauncher_data()
    {
        // %M: a marker file in a fresh folder; <ff>: the byte 0xff
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("terminal"); // $TERMINAL, unset when empty
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("made"); // the file the program made, if any

        QTest::newRow("program on the PATH") << QStringList{"touch", "%M"} << "" << 0 << "marker";
        QTest::newRow("program missing")
            << QStringList{"quillon-no-such-program", "%M"} << "" << 53 << "";
        QTest::newRow("path to nothing")
            << QStringList{"/nonexistent/quillon/prog"} << "" << 53 << "";
        QTest::newRow("nothing to start") << QStringList{} << "" << 53 << "";
        QTest::newRow("empty program") << QStringList{"", "%M"} << "" << 53 << "";
        QTest::newRow("starts in the folder given")
            << QStringList{"touch", "marker"} << "" << 0 << "marker";
        QTest::newRow("name that is not UTF-8")
            << QStringList{"touch", "%M<ff>"} << "" << 0 << "marker<ff>";
        QTest::newRow("cmd is the terminal") << QStringList{"cmd"} << "touch %M" << 0 << "marker";
        QTest::newRow("CMD.EXE too") << QStringList{"CMD.EXE"} << "touch %M" << 0 << "marker";
        QTest::newRow("words after cmd go to the terminal")
            << QStringList{"cmd", "%M"} << "touch" << 0 << "marker";
        QTest::newRow("terminal missing")
            << QStringList{"cmd"} << "quillon-no-such-terminal" << 53 << "";
    }

    void systemLauncher()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, terminal);
        QFETCH(QString, made);
        TempFolder dir;
        const QByteArray marker = FileNameCodec::encode(dir.file(QStringLiteral("marker")));
        for (QString& argument : arguments) {
            QByteArray bytes = argument.toLatin1();
            argument = FileNameCodec::decode(bytes.replace("%M", marker).replace("<ff>", "\xff"));
        }
        const QByteArray oldTerminal = qgetenv("TERMINAL");
        if (terminal.isEmpty())
            qunsetenv("TERMINAL");
        else
            qputenv("TERMINAL", terminal.toLatin1().replace("%M", marker));

        SystemProcessLauncher launcher;
        const int result =
            launcher.start(arguments, ProcessLauncher::WindowState::Normal, dir.path());
        qputenv("TERMINAL", oldTerminal);

        QTEST(result, "code");
        if (!made.isEmpty()) {
            const QString name = FileNameCodec::decode(made.toLatin1().replace("<ff>", "\xff"));
            QTRY_COMPARE(dir.names(), QStringList(name));
        } else {
            QTest::qWait(100);
            QCOMPARE(dir.names(), QStringList());
        }
    }
};

QTEST_GUILESS_MAIN(TestBatchRunner)
#include "TestBatchRunner.moc"
