#include "TempFolder.h"

#include "platform/FileNameCodec.h"
#include "platform/SystemProcessLauncher.h"

#include <QtTest>

class TestProcessLauncher : public QObject
{
    Q_OBJECT
private slots:
    void start_data()
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
        QTest::newRow("name that is not UTF-8")
            << QStringList{"touch", "%M<ff>"} << "" << 0 << "marker<ff>";
        QTest::newRow("cmd is the terminal") << QStringList{"cmd"} << "touch %M" << 0 << "marker";
        QTest::newRow("CMD.EXE too") << QStringList{"CMD.EXE"} << "touch %M" << 0 << "marker";
        QTest::newRow("words after cmd go to the terminal")
            << QStringList{"cmd", "%M"} << "touch" << 0 << "marker";
        QTest::newRow("terminal missing")
            << QStringList{"cmd"} << "quillon-no-such-terminal" << 53 << "";
    }

    void start()
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
        const int result = launcher.start(arguments, ProcessLauncher::WindowState::Normal);
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

QTEST_GUILESS_MAIN(TestProcessLauncher)
#include "TestProcessLauncher.moc"
