// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRun.h"
#include "TempFolder.h"

#include <QDir>
#include <QFile>
#include <QTest>

class TestCliPreset : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void presetIsTheOptionsItHolds_data();
    void presetIsTheOptionsItHolds();
    void savedShownListedDeleted();
    void unreadablePresetChangesNothing();
    void usageErrors_data();
    void usageErrors();

private:
    CliRun cli(const QStringList& arguments)
    {
        return runCli(arguments, m_dir->path(), m_config->path());
    }

    std::unique_ptr<TempFolder> m_config, m_dir;
};

void TestCliPreset::init()
{
    m_config = std::make_unique<TempFolder>();
    m_dir = std::make_unique<TempFolder>();
    for (const char* name : {"b.jpg", "a.jpg", "c.png", "-d.jpg"})
        QVERIFY(m_dir->write(QString::fromLatin1(name), name));
    // Presets live under the configuration folder, which the commands read
    // from this process's environment.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config->path()));
}

// list --preset with options beside it lists what the preset's options
// with those beside them list.
void TestCliPreset::presetIsTheOptionsItHolds_data()
{
    QTest::addColumn<QStringList>("save");
    QTest::addColumn<QStringList>("beside");
    QTest::addColumn<QStringList>("same");
    const QStringList trip{"--pattern", "-Trip_#", "--zeros", "00",     "--filter",
                           "*.jpg",     "--sort",  "name",    "--sort", "name"};
    QTest::newRow("alone") << trip << QStringList() << trip;
    QTest::newRow("a pattern beside")
        << trip << QStringList{"--pattern", "X#"}
        << QStringList{"--pattern", "X#",     "--zeros", "00",     "--filter",
                       "*.jpg",     "--sort", "name",    "--sort", "name"};
    QTest::newRow("a sort beside replaces the preset's")
        << QStringList{"--pattern", "T#", "--sort", "name"} << QStringList{"--sort", "name"}
        << QStringList{"--pattern", "T#", "--sort", "name"};
    QTest::newRow("a template beside replaces pattern and ext")
        << QStringList{"--pattern", "P#", "--ext", ".txt", "--zeros", "000"}
        << QStringList{"--template", "{name}_{n}"}
        << QStringList{"--template", "{name}_{n}", "--zeros", "000"};
    QTest::newRow("expression") << QStringList{"--regex", "^(.)",   "--with",
                                               "x\\1",    "--sort", "name"}
                                << QStringList() << QStringList{"--regex", "^(.)",   "--with",
                                                                "x\\1",    "--sort", "name"};
}

void TestCliPreset::presetIsTheOptionsItHolds()
{
    QFETCH(QStringList, save);
    QFETCH(QStringList, beside);
    QFETCH(QStringList, same);
    const CliRun saved = cli(QStringList{"preset", "save", "Trip"} + save);
    QVERIFY2(saved.status == 0, qPrintable(saved.err));
    const CliRun byPreset = cli(QStringList{"list", "--preset", "Trip"} + beside);
    const CliRun byOptions = cli(QStringList{"list"} + same);
    QCOMPARE(byPreset.err, byOptions.err);
    QCOMPARE(byPreset.status, 0);
    QCOMPARE(byPreset.out, byOptions.out);
    // The rename renames by the same names.
    QCOMPARE(cli(QStringList{"rename", ".", "--preset", "Trip", "--dry-run"} + beside).out,
             cli(QStringList{"rename", ".", "--dry-run"} + same).out);
}

void TestCliPreset::savedShownListedDeleted()
{
    QCOMPARE(cli({"preset", "save", "B", "--pattern", "B#", "--cycles"}).status, 0);
    QCOMPARE(cli({"preset", "save", "A", "--ext", ".txt"}).status, 0);
    QCOMPARE(cli({"preset", "list"}).out, QStringLiteral("A\nB\n"));
    const QString file = m_config->path() + QStringLiteral("quillon/presets/B.ini");
    QVERIFY(QFile::exists(file));
    QVERIFY(cli({"preset", "show", "B"}).out.endsWith("version=1\npattern=B#\ncycles=true\n"));
    // A preset is replaced only when asked.
    const CliRun again = cli({"preset", "save", "B", "--pattern", "C#"});
    QCOMPARE(again.status, 1);
    QVERIFY(again.err.contains("a preset \"B\" exists already: add --yes to replace it"));
    QVERIFY(cli({"preset", "show", "B"}).out.contains("pattern=B#\n"));
    QCOMPARE(cli({"preset", "save", "B", "--pattern", "C#", "--yes"}).status, 0);
    QVERIFY(cli({"preset", "show", "B"}).out.endsWith("version=1\npattern=C#\n"));
    QCOMPARE(cli({"preset", "delete", "B"}).status, 0);
    QCOMPARE(cli({"preset", "list"}).out, QStringLiteral("A\n"));
    const CliRun gone = cli({"preset", "show", "B"});
    QCOMPARE(gone.status, 1);
    QVERIFY(gone.err.contains("there is no preset \"B\""));
}

// A preset from a newer Quillon, or a broken one, is refused by its file and
// line before anything is listed or renamed.
void TestCliPreset::unreadablePresetChangesNothing()
{
    QVERIFY(QDir().mkpath(m_config->path() + "quillon/presets"));
    const QString file = m_config->path() + "quillon/presets/New.ini";
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write("pattern=New_#\nversion=2\nshape=round\n");
    out.close();
    const QStringList before = m_dir->names();
    const CliRun run = cli({"rename", ".", "--preset", "New", "--pattern", "Z#"});
    QCOMPARE(run.status, 1);
    QVERIFY2(run.err.contains(file + ": line 2: written by a newer Quillon (format 2; this one "
                                     "reads format 1)"),
             qPrintable(run.err));
    QCOMPARE(m_dir->names(), before);
    QCOMPARE(cli({"list", "--preset", "Missing"}).out, QString());
}

void TestCliPreset::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("why");
    QTest::newRow("no action") << QStringList{"preset"}
                               << "preset takes list, show NAME, save NAME or delete NAME";
    QTest::newRow("no name") << QStringList{"preset", "show"} << "preset show needs one NAME";
    QTest::newRow("two names") << QStringList{"preset", "delete", "a", "b"}
                               << "preset delete needs one NAME";
    QTest::newRow("no naming option")
        << QStringList{"preset", "save", "a", "--paste", "f"} << "preset does not take --paste";
    QTest::newRow("options to show")
        << QStringList{"preset", "show", "a", "--pattern", "x"} << "preset show takes no options";
    QTest::newRow("bad value") << QStringList{"preset", "save", "a", "--zeros", "12"}
                               << "--zeros takes zeros, such as 000, not \"12\"";
    QTest::newRow("conflict") << QStringList{"preset", "save", "a",         "--regex", "x",
                                             "--with", "y",    "--replace", "z"}
                              << "--regex and --replace cannot be combined";
    QTest::newRow("bad name") << QStringList{"preset", "save", ".a", "--pattern", "x"}
                              << "\".a\" cannot be a preset's name";
    QTest::newRow("undo") << QStringList{"undo", "--last", "--preset", "a"}
                          << "undo does not take --preset";
}

void TestCliPreset::usageErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, why);
    const CliRun run = cli(arguments);
    QVERIFY2(run.err.contains(why), qPrintable(run.err));
    QCOMPARE(run.status, why.contains("cannot be a preset's name") ? 1 : 2);
    QCOMPARE(cli({"preset", "list"}).out, QString());
}

QTEST_GUILESS_MAIN(TestCliPreset)
#include "TestCliPreset.moc"
