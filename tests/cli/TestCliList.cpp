#include "app/Session.h"
#include "platform/FieldText.h"
#include "platform/FileNameCodec.h"
#include "platform/PosixFileSystem.h"

#include "CliRun.h"
#include "PromptRecorder.h"
#include "TempFolder.h"

#include <QTest>

namespace
{

// The lines the window's list shows for a folder, built by the same session
// the window uses.
QByteArray windowRows(const QString& folder)
{
    PosixFileSystem fs;
    PromptRecorder prompts;
    Session session(fs, prompts);
    session.setFolder(folder);
    session.scanFolder();
    QByteArray out("No.\tCreation Dates\tModified Dates\tCurrent Filenames\tNew Filenames\tSize\n");
    const FileListModel& m = session.model();
    for (int k = 0; k <= session.lastPosition(); ++k) {
        const int r = m.recordAt(k);
        const QStringList fields{
            QString::number(m.recordNumber(r)), m.creationDateText(r), m.modifiedDateText(r),
            m.currentNameOf(r).toString(),      m.newNameOf(r),        m.sizeText(r)};
        QStringList cells;
        for (const QString& f : fields)
            cells << FieldText::escaped(f);
        out += FileNameCodec::encode(cells.join(QLatin1Char('\t'))) + '\n';
    }
    return out;
}

} // namespace

class TestCliList : public QObject
{
    Q_OBJECT
private slots:
    void listsAsTheWindowDoes()
    {
        TempFolder dir;
        for (int i = 0; i < 117; ++i)
            QVERIFY(dir.write(QStringLiteral("photo%1.jpg").arg(i), QByteArray(i * 100, 'x')));
        for (const QString& odd :
             {QStringLiteral("tab\there.txt"), QStringLiteral("line\nbreak\\.txt"),
              FileNameCodec::decode(QByteArray("caf\xe9.txt"))})
            QVERIFY(dir.write(odd, "odd"));
        const CliRun run = runCli({QStringLiteral("list"), dir.path()});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.err, QString());
        QCOMPARE(run.outBytes.count('\n'), 121);
        QCOMPARE(run.outBytes, windowRows(dir.path()));
        QVERIFY(run.outBytes.contains(QByteArray("caf\xe9.txt")));
        QVERIFY(run.outBytes.contains("line\\nbreak\\\\.txt"));
    }

    void filterAsTyped()
    {
        TempFolder dir;
        for (const char* n : {"a.JPG", "b.jpg", "jpg-list.txt", "c.txt"})
            QVERIFY(dir.write(QString::fromLatin1(n)));
        const CliRun run = runCli({QStringLiteral("list"), dir.path(), QStringLiteral("--filter"),
                                   QStringLiteral("*.JPG")});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.outBytes.count('\n'), 3);
        QVERIFY(run.outBytes.contains("\ta.JPG\t"));
        QVERIFY(run.outBytes.contains("\tb.jpg\t"));
        QVERIFY(!run.outBytes.contains("jpg-list"));
    }

    // An empty folder lists its header alone; one that cannot be read is an
    // error, unlike in the window.
    void emptyAndMissingFolders()
    {
        TempFolder dir;
        for (const QString& folder : {dir.path(), dir.file(QStringLiteral("missing"))}) {
            const CliRun run = runCli({QStringLiteral("list"), folder});
            const bool missing = folder.endsWith(QLatin1String("missing"));
            QCOMPARE(run.status, missing ? 1 : 0);
            QCOMPARE(run.outBytes.count('\n'), missing ? 0 : 1);
            QCOMPARE(run.err.contains(QLatin1String("cannot read the folder")), missing);
        }
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::newRow("no command") << QStringList{} << 2;
        QTest::newRow("unknown command") << QStringList{QStringLiteral("frobnicate")} << 2;
        QTest::newRow("unknown option")
            << QStringList{QStringLiteral("list"), QStringLiteral("--nope")} << 2;
        QTest::newRow("two folders")
            << QStringList{QStringLiteral("list"), QStringLiteral("/"), QStringLiteral("/")} << 2;
        QTest::newRow("help") << QStringList{QStringLiteral("--help")} << 0;
    }

    void usageErrors()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        const CliRun run = runCli(arguments);
        QCOMPARE(run.status, status);
        QVERIFY((status == 2 ? run.err : run.out).contains(QLatin1String("Usage:")));
    }
};

QTEST_GUILESS_MAIN(TestCliList)
#include "TestCliList.moc"
