#include "ForwardingFileSystem.h"
#include "PromptRecorder.h"
#include "ScratchMount.h"
#include "TempFolder.h"

#include "app/Session.h"
#include "app/Shredder.h"
#include "platform/FileErrors.h"

#include <QSignalSpy>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace
{

// A folder with files, scanned as the window scans it.
struct Listed {
    explicit Listed(const QString& dr)
    {
        session.Dr = dr;
        session.ListRefresh();
    }
    QStringList names() const
    {
        QStringList out;
        for (int p = 0; p <= session.FileLast; ++p)
            out << session.model().SourceName(p);
        return out;
    }
    ForwardingFileSystem fs;
    PromptRecorder prompter;
    Session session{fs, prompter};
};

// Plain ASCII paths on a scratch medium.
bool put(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QStringList ThreeFiles = {QStringLiteral("a.txt"), QStringLiteral("b.txt"),
                                QStringLiteral("c.txt")};

} // namespace

class TestShredder : public QObject
{
    Q_OBJECT
private slots:
    void sequence_data();
    void sequence();
    void failures_data();
    void failures();
    void linkShreddedAsItself_data();
    void linkShreddedAsItself();
    void readOnlyMedium_data();
    void readOnlyMedium();
    void menuEntriesAndProgress();
};

void TestShredder::sequence_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArray>("afterScan"); // written after the scan, if any
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<int>("zeros");

    QTest::newRow("empty file") << QByteArray() << QByteArray() << false << 1;
    QTest::newRow("ten bytes") << QByteArray("0123456789") << QByteArray() << false << 11;
    QTest::newRow("read-only file") << QByteArray("secret") << QByteArray() << true << 7;
    QTest::newRow("grew after the scan")
        << QByteArray("abc") << QByteArray("abcdefgh") << false << 9;
    QTest::newRow("shrank after the scan")
        << QByteArray("abcdefgh") << QByteArray("ab") << false << 9;
}

void TestShredder::sequence()
{
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, afterScan);
    QFETCH(bool, readOnly);
    QFETCH(int, zeros);
    TempFolder dir;
    QVERIFY(dir.write(QStringLiteral("f"), content));
    Listed listed(dir.path());
    if (!afterScan.isNull())
        QVERIFY(dir.write(QStringLiteral("f"), afterScan));
    if (readOnly)
        QCOMPARE(listed.fs.setAttributes(dir.file(QStringLiteral("f")), FileSystem::ReadOnly), 0);

    QByteArrayList seen; // the file's bytes as each delete begins
    listed.fs.before = [&](const QString& operation, const QString& path) {
        if (operation == QLatin1String("removeFile"))
            seen << dir.read(path.mid(dir.path().size()));
    };
    listed.fs.log.clear();
    Shredder(listed.session).AreSure();

    const QString pass = QStringLiteral("writeZerosAtStart f %1").arg(zeros);
    QCOMPARE(listed.fs.log, QStringList({"stat f", "setAttributes f 0", pass, pass, pass,
                                         "removeFile f", "createFile f 04 00", "removeFile f"}));
    QCOMPARE(seen, QByteArrayList({QByteArray(zeros, '\0'), QByteArray("\x04\x00", 2)}));
    QCOMPARE(listed.prompter.messages, QStringList());
    QCOMPARE(dir.names(), QStringList());
}

void TestShredder::failures_data()
{
    QTest::addColumn<bool>("all");
    QTest::addColumn<QString>("change"); // what happens to b.txt after the scan
    QTest::addColumn<int>("code");       // planted fault, when change names an operation
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("bRemains");

    const QString one = QStringLiteral("Could not Shred file %1b.txt...");
    const QString all = QStringLiteral("Could not Shred from %1...");
    const QString readOnly = QStringLiteral("Cannot Shred from Readonly Media");
    QTest::newRow("deleted, one") << false << "delete" << 0 << one << false;
    QTest::newRow("deleted, all") << true << "delete" << 0 << all << false;
    QTest::newRow("became a folder, one") << false << "folder" << 0 << one << true;
    QTest::newRow("became a folder, all") << true << "folder" << 0 << all << true;
    QTest::newRow("write refused, one") << false << "writeZerosAtStart" << 75 << readOnly << true;
    QTest::newRow("write refused, all") << true << "writeZerosAtStart" << 75 << readOnly << true;
    QTest::newRow("attributes refused, all") << true << "setAttributes" << 75 << readOnly << true;
    QTest::newRow("delete refused, all") << true << "removeFile" << 70 << all << true;
    QTest::newRow("disk full on re-create, one") << false << "createFile" << 61 << one << false;
}

void TestShredder::failures()
{
    QFETCH(bool, all);
    QFETCH(QString, change);
    QFETCH(int, code);
    QFETCH(QString, message);
    QFETCH(bool, bRemains);
    TempFolder dir;
    for (const QString& name : ThreeFiles)
        QVERIFY(dir.write(name, name.toLatin1()));
    Listed listed(dir.path());
    const QStringList order = listed.names();
    const int b = int(order.indexOf(QStringLiteral("b.txt")));
    if (change == QLatin1String("delete")) {
        QVERIFY(::unlink(dir.file(QStringLiteral("b.txt")).toLocal8Bit()) == 0);
    } else if (change == QLatin1String("folder")) {
        QVERIFY(::unlink(dir.file(QStringLiteral("b.txt")).toLocal8Bit()) == 0);
        QVERIFY(::mkdir(dir.file(QStringLiteral("b.txt")).toLocal8Bit(), 0755) == 0);
    } else {
        listed.fs.failOn(change, QStringLiteral("b.txt"), code);
    }

    Shredder shredder(listed.session);
    if (all) {
        shredder.AreSure();
    } else {
        listed.session.model().setCurrent(listed.session.model().recordAt(b), b);
        shredder.ShredOne();
    }

    QCOMPARE(listed.prompter.messages, QStringList(QString(message).replace("%1", dir.path())));
    // Files before b are gone when all were shredded; the ones after it were
    // not touched.
    QStringList left;
    for (int p = 0; p < order.size(); ++p) {
        if (p == b ? bRemains : (p > b || !all))
            left << order[p];
    }
    left.sort();
    QCOMPARE(dir.names(), left);
    for (const QString& name : left) {
        if (name != QLatin1String("b.txt"))
            QCOMPARE(dir.read(name), name.toLatin1());
    }
    if (change == QLatin1String("writeZerosAtStart"))
        QCOMPARE(dir.read(QStringLiteral("b.txt")), QByteArray("b.txt"));
    // The list shows the files that are left (a folder is not listed).
    QStringList shown = listed.names();
    shown.sort();
    if (change == QLatin1String("folder"))
        left.removeAll(QStringLiteral("b.txt"));
    QCOMPARE(shown, left);
}

void TestShredder::linkShreddedAsItself_data()
{
    QTest::addColumn<bool>("all");
    QTest::newRow("ShredOne") << false;
    QTest::newRow("AreSure") << true;
}

void TestShredder::linkShreddedAsItself()
{
    QFETCH(bool, all);
    TempFolder outside;
    QVERIFY(outside.write(QStringLiteral("keep.txt"), "precious"));
    TempFolder dir;
    QVERIFY(::symlink(outside.file(QStringLiteral("keep.txt")).toLocal8Bit(),
                      dir.file(QStringLiteral("link")).toLocal8Bit()) == 0);
    Listed listed(dir.path());
    QCOMPARE(listed.names(), QStringList(QStringLiteral("link")));

    listed.fs.log.clear();
    Shredder shredder(listed.session);
    if (all)
        shredder.AreSure();
    else
        shredder.ShredOne();

    QCOMPARE(listed.prompter.messages, QStringList());
    QCOMPARE(dir.names(), QStringList());
    QCOMPARE(outside.names(), QStringList(QStringLiteral("keep.txt")));
    QCOMPARE(outside.read(QStringLiteral("keep.txt")), QByteArray("precious"));
    QVERIFY(!listed.fs.log.join(QLatin1Char('\n')).contains(QLatin1String("write")));
}

void TestShredder::readOnlyMedium_data()
{
    QTest::addColumn<bool>("all");
    QTest::newRow("ShredOne") << false;
    QTest::newRow("AreSure") << true;
}

void TestShredder::readOnlyMedium()
{
    QFETCH(bool, all);
    ScratchMount medium(ScratchMount::Tmpfs, QStringLiteral("size=1m"));
    if (!medium.available())
        QSKIP(qPrintable(medium.skipReason()));
    const QString folder = medium.path();
    for (const QString& name : ThreeFiles)
        QVERIFY(put(folder + name, name.toLatin1()));
    QVERIFY(medium.remountReadOnly());

    Listed listed(folder);
    Shredder shredder(listed.session);
    if (all)
        shredder.AreSure();
    else
        shredder.ShredOne();

    QCOMPARE(listed.prompter.messages,
             QStringList(QStringLiteral("Cannot Shred from Readonly Media")));
    for (const QString& name : ThreeFiles)
        QCOMPARE(readAll(folder + name), name.toLatin1());
    QCOMPARE(listed.session.FileLast, 2);
}

void TestShredder::menuEntriesAndProgress()
{
    TempFolder dir;
    for (const QString& name : ThreeFiles)
        QVERIFY(dir.write(name, "x"));
    Listed listed(dir.path());
    const QStringList order = listed.names();
    Shredder shredder(listed.session);
    QSignalSpy entry(&shredder, &Shredder::ShredOneChanged);
    QSignalSpy progress(&shredder, &Shredder::RemNChanged);

    // The caption names the clicked row; the entry then shreds the current
    // selection, also after a rescan, whatever the caption still says.
    shredder.rowClicked(1);
    QCOMPARE(entry.takeFirst(), QVariantList({QStringLiteral("Shred File... ") + order[1], true}));
    listed.session.ListRefresh();
    const QStringList rescanned = listed.names();
    listed.session.model().setCurrent(listed.session.model().recordAt(0), 0);
    shredder.ShredOne();
    QCOMPARE(entry.takeFirst().at(1).toBool(), false);
    QVERIFY(!shredder.shredOneVisible());
    QVERIFY(!dir.exists(rescanned[0]));
    QCOMPARE(listed.session.FileLast, 1);
    QCOMPARE(progress.count(), 0);

    const QStringList rest = listed.names();
    listed.prompter.yields = 0;
    shredder.AreSure();
    QStringList texts;
    for (const QVariantList& signal : std::as_const(progress))
        texts << signal.at(0).toString();
    QCOMPARE(texts, QStringList({QStringLiteral("Shredding :\n\n") + rest[0],
                                 QStringLiteral("Shredding :\n\n") + rest[1],
                                 QStringLiteral("Shredding Done")}));
    QVERIFY(listed.prompter.yields >= rest.size());
    QCOMPARE(dir.names(), QStringList());
    QCOMPARE(listed.session.FileLast, -1);
    QCOMPARE(listed.prompter.messages, QStringList());
}

QTEST_GUILESS_MAIN(TestShredder)
#include "TestShredder.moc"
