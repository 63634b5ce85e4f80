// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Preset.h"
#include "app/PresetStore.h"

#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

class TestPreset : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void reads_data();
    void reads();
    void optionsBesideReplaceThePresets_data();
    void optionsBesideReplaceThePresets();
    void storeKeepsWholePresets();

private:
    QTemporaryDir m_config;
};

void TestPreset::initTestCase()
{
    QVERIFY(m_config.isValid());
    qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
}

// A text either gives these inputs ("key=value" lines) or is refused with a
// fault that names its line.
void TestPreset::reads_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QString>("fault");
    const QStringList none;
    QTest::newRow("every key, spaces and backslashes kept")
        << QByteArray("# made by hand\r\n\nversion=1\r\npattern= Trip #\nzeros=000\next=.JPG\n"
                      "filter=*.jpg;*.png\nsort=natural,newname\ncycles=false\n")
        << QStringList{"cycles=false",         "ext=.JPG", "filter=*.jpg;*.png", "pattern= Trip #",
                       "sort=natural,newname", "zeros=000"}
        << QString();
    QTest::newRow("missing keys keep their defaults")
        << QByteArray("version=1\n") << none << QString();
    QTest::newRow("regex with its replacement")
        << QByteArray("version=1\nregex=(\\d+)-(\\d+)\nwith=\\2-\\1\n")
        << QStringList{"regex=(\\d+)-(\\d+)", "with=\\2-\\1"} << QString();
    QTest::newRow("newer") << QByteArray("; keep\nversion=2\npattern=a\n") << none
                           << "line 2: written by a newer Quillon (format 2; this one reads "
                              "format 1)";
    QTest::newRow("no version") << QByteArray("pattern=a#\n") << none << "no \"version=1\" line";
    QTest::newRow("no equals sign")
        << QByteArray("version=1\npattern\n") << none << "line 2: not key=value";
    QTest::newRow("unknown key") << QByteArray("version=1\npaste=x\n") << none
                                 << "line 2: unknown key \"paste\"";
    QTest::newRow("twice") << QByteArray("version=1\nzeros=00\nzeros=000\n") << none
                           << "line 3: \"zeros\" is given twice";
    QTest::newRow("zeros") << QByteArray("version=1\nzeros=01\n") << none
                           << "line 2: zeros takes zeros, such as 000, not \"01\"";
    QTest::newRow("ext without dot") << QByteArray("version=1\next=jpg\n") << none
                                     << "line 2: ext takes an extension with its dot, such as "
                                        ".jpg, not \"jpg\"";
    QTest::newRow("slash in pattern") << QByteArray("version=1\npattern=a/#\n") << none
                                      << "line 2: pattern cannot hold any of | * \" / : < > ? \\";
    QTest::newRow("sort") << QByteArray("version=1\nsort=name,colour\n") << none
                          << "line 2: sort takes no, created, modified, name, newname, size, "
                             "natural or taken, separated by \",\", not \"name,colour\"";
    QTest::newRow("cycles") << QByteArray("version=1\ncycles=yes\n") << none
                            << "line 2: cycles takes true or false, not \"yes\"";
    QTest::newRow("bad template") << QByteArray("version=1\ntemplate={nope}\n") << none
                                  << "line 2: template: ";
    QTest::newRow("template beside pattern")
        << QByteArray("version=1\npattern=a#\n\ntemplate={n}\n") << none
        << "line 4: template builds the whole name; it cannot be combined with pattern";
    QTest::newRow("regex without with")
        << QByteArray("version=1\nregex=a\n") << none << "line 2: regex needs with";
    QTest::newRow("regex that does not compile")
        << QByteArray("version=1\nwith=b\nregex=(a\n") << none << "line 3: regex: ";
    QTest::newRow("with alone") << QByteArray("version=1\nwith=b\n") << none
                                << "line 2: with goes with replace or regex";
}

void TestPreset::reads()
{
    QFETCH(QByteArray, text);
    QFETCH(QStringList, inputs);
    QFETCH(QString, fault);
    QString why;
    const std::optional<Preset> preset = Preset::read(text, why);
    QCOMPARE(bool(preset), fault.isEmpty());
    QVERIFY2(why.startsWith(fault), qPrintable(why));
    if (!preset)
        return;
    QStringList read;
    for (auto it = preset->values().begin(); it != preset->values().end(); ++it)
        read << it.key() + QLatin1Char('=') + it.value();
    QCOMPARE(read, inputs);
    // What it writes reads back the same.
    const std::optional<Preset> again = Preset::read(preset->text(), why);
    QVERIFY(again);
    QCOMPARE(again->values(), preset->values());
}

// The preset's part of a quillon-cli command line, with the options typed
// beside it.
void TestPreset::optionsBesideReplaceThePresets_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("given");
    QTest::addColumn<QStringList>("arguments");
    const QByteArray plain("version=1\npattern=-P#\next=.txt\nreplace=a\nwith=b\nsort=size,size\n"
                           "cycles=true\n");
    QTest::newRow("nothing typed")
        << plain << QStringList()
        << QStringList{"--pattern=-P#", "--ext=.txt",  "--replace=a", "--with=b",
                       "--sort=size",   "--sort=size", "--cycles"};
    QTest::newRow("typed keys win, sort as a whole")
        << plain << QStringList{"pattern", "sort"}
        << QStringList{"--ext=.txt", "--replace=a", "--with=b", "--cycles"};
    QTest::newRow("a template replaces pattern, ext and the replace pair")
        << plain << QStringList{"template"}
        << QStringList{"--sort=size", "--sort=size", "--cycles"};
    QTest::newRow("a regex replaces the replace pair")
        << plain << QStringList{"regex", "with"}
        << QStringList{"--pattern=-P#", "--ext=.txt", "--sort=size", "--sort=size", "--cycles"};
    const QByteArray expression("version=1\ntemplate={n}\nregex=x\nwith=y\ncycles=false\n");
    QTest::newRow("a typed pattern replaces the template")
        << expression << QStringList{"pattern"} << QStringList{"--with=y", "--regex=x"};
    QTest::newRow("a typed replace pair replaces template and regex")
        << expression << QStringList{"replace", "with"} << QStringList();
}

void TestPreset::optionsBesideReplaceThePresets()
{
    QFETCH(QByteArray, text);
    QFETCH(QStringList, given);
    QFETCH(QStringList, arguments);
    QString why;
    const std::optional<Preset> preset = Preset::read(text, why);
    QVERIFY2(preset, qPrintable(why));
    QCOMPARE(preset->arguments(given, [](const QString&) { return true; }), arguments);
    // A command that does not take an input gets none of it.
    const QStringList noCycles =
        preset->arguments(given, [](const QString& key) { return key != QLatin1String("cycles"); });
    QVERIFY(!noCycles.contains(QStringLiteral("--cycles")));
}

// Saved, listed, renamed and deleted as whole files; nothing replaced unasked.
void TestPreset::storeKeepsWholePresets()
{
    Preset preset;
    QCOMPARE(preset.set("pattern", "Holiday_#"), QString());
    QCOMPARE(preset.set("zeros", "000"), QString());
    QCOMPARE(PresetStore::save("Holiday", preset, false), QString());
    QCOMPARE(PresetStore::filePath("Holiday"),
             m_config.path() + QStringLiteral("/quillon/presets/Holiday.ini"));
    Preset other;
    QCOMPARE(other.set("pattern", "Other_#"), QString());
    QCOMPARE(PresetStore::save("Other", other, false), QString());
    QCOMPARE(PresetStore::names(), (QStringList{"Holiday", "Other"}));
    QVERIFY(PresetStore::save("Holiday", other, false).contains("exists already"));
    QVERIFY(PresetStore::rename("Holiday", "Other").contains("exists already"));
    for (const char* bad : {"", "a/b", ".hidden"})
        QVERIFY(!PresetStore::save(bad, preset, true).isEmpty());
    Preset read;
    QCOMPARE(PresetStore::load("Holiday", read), QString());
    QCOMPARE(read.values(), preset.values());

    QCOMPARE(PresetStore::rename("Holiday", "Summer"), QString());
    QCOMPARE(PresetStore::names(), (QStringList{"Other", "Summer"}));
    QCOMPARE(PresetStore::remove("Other"), QString());
    QCOMPARE(PresetStore::names(), QStringList{"Summer"});
    QVERIFY(PresetStore::load("Other", read).startsWith("there is no preset \"Other\""));

    // A broken file is refused by its path and line; what was read stays.
    QFile broken(PresetStore::filePath("Broken"));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("version=1\npattern=x#\nzeros=1\n");
    broken.close();
    const QString why = PresetStore::load("Broken", read);
    QCOMPARE(why, PresetStore::filePath("Broken") +
                      QStringLiteral(": line 3: zeros takes zeros, such as 000, not \"1\""));
    QCOMPARE(read.values(), preset.values());
}

QTEST_GUILESS_MAIN(TestPreset)
#include "TestPreset.moc"
