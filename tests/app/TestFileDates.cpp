// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/FileDates.h"
#include "app/Session.h"
#include "platform/FileErrors.h"
#include "platform/PosixFileSystem.h"

#include "ListRows.h"
#include "LoggingFileSystem.h"
#include "PromptRecorder.h"
#include "TempFolder.h"

#include <QTest>

#include <sys/stat.h>

namespace
{

mode_t modeOf(const QString& path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode : 0;
}

qint64 epoch(const char* iso)
{
    return QDateTime::fromString(QString::fromLatin1(iso), Qt::ISODate).toSecsSinceEpoch();
}

} // namespace

class TestFileDates : public QObject
{
    Q_OBJECT
private slots:
    // The dates reach every file, hidden or read-only, and nothing else of
    // the file changes: its mode and its attribute bits stay as they were.
    void setFileDates_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("attributes");
        QTest::addColumn<QString>("creation");
        QTest::addColumn<QString>("modified");
        QTest::addColumn<qint64>("created"); // 0: unchanged
        QTest::addColumn<qint64>("changed"); // 0: unchanged
        const qint64 c = epoch("2020-01-02T00:00:00"), m = epoch("2021-03-04T17:06:07");
        auto row = [](const char* tag, const char* name, int attributes, const char* creation,
                      const char* modified, qint64 created, qint64 changed) {
            QTest::newRow(tag) << QString(name) << attributes << QString(creation)
                               << QString(modified) << created << changed;
        };
        row("both", "f.txt", 0, "1/2/2020", "3/4/2021 5:06:07 PM", c, m);
        row("creation only", "f.txt", 0, "1/2/2020", "", c, 0);
        row("modified only", "f.txt", 0, "", "2021-03-04T17:06:07", 0, m);
        row("not dates", "f.txt", 0, "soon", "13/45/2020", 0, 0);
        row("read-only", "f.txt", 1, "1/2/2020", "", c, 0);
        row("read-only both", "f.txt", 1, "1/2/2020", "2021-03-04T17:06:07", c, m);
        row("hidden", "f.txt", 2, "1/2/2020", "2021-03-04T17:06:07", c, m);
        row("system archive", "f.txt", 36, "", "2021-03-04T17:06:07", 0, m);
        row("dot name", ".f", 0, "1/2/2020", "2021-03-04T17:06:07", c, m);
        row("hidden read-only dot name", ".f", 3, "1/2/2020", "", c, 0);
    }

    void setFileDates()
    {
        QFETCH(QString, name);
        QFETCH(int, attributes);
        QFETCH(QString, creation);
        QFETCH(QString, modified);
        QFETCH(qint64, created);
        QFETCH(qint64, changed);
        TempFolder dir;
        QVERIFY(dir.write(name, "x"));
        PosixFileSystem fs;
        const QString path = dir.file(name);
        QCOMPARE(fs.setAttributes(path, attributes), 0);
        FileSystem::Entry before, after;
        QCOMPARE(fs.stat(path, before), 0);
        const mode_t mode = modeOf(path);
        QCOMPARE(FileDates::writeFileDates(fs, path, creation, modified), 0);
        QCOMPARE(fs.stat(path, after), 0);
        QCOMPARE(after.created.seconds, created ? created : before.created.seconds);
        QCOMPARE(after.modified.seconds, changed ? changed : before.modified.seconds);
        QCOMPARE(after.attributes, before.attributes);
        QCOMPARE(modeOf(path), mode);
        QCOMPARE(
            FileDates::writeFileDates(fs, dir.file(QStringLiteral("gone")), creation, modified),
            FileErrors::FileNotFound);
    }

    // The modified time is written, then the creation time; the code of
    // the first that fails is given back, here as on a full disk.
    void modifiedIsWrittenBeforeCreation()
    {
        TempFolder dir;
        QVERIFY(dir.write(QStringLiteral("f"), "x"));
        LoggingFileSystem fs;
        fs.failOn(QStringLiteral("setCreationTime"), QStringLiteral("f"), FileErrors::DiskFull);
        QCOMPARE(FileDates::writeFileDates(fs, dir.file("f"), "1/2/2020", "1/3/2020"),
                 FileErrors::DiskFull);
        fs.log.removeIf([](const QString& call) { return call.startsWith("stat "); });
        QCOMPARE(fs.log, (QStringList{"setModifiedTime f", "setCreationTime f"}));
    }

    void pickersMakePendingDates()
    {
        PosixFileSystem fs;
        PromptRecorder prompts;
        Session session(fs, prompts);
        QStringList rows{"1/5/2019 3:04:05 PM|1/5/2019|a", "1/6/2019|1/6/2019|b"};
        session.model().setRows(ListRows::fromTexts(rows));
        QCOMPARE(FileDates::pendingCreationDate(session), QString());

        const QDateTime today(QDate(2024, 7, 1), QTime(0, 0));
        QDateTime pickerDate = FileDates::creationPickerChanged(session, "1/2/2020", today);
        QCOMPARE(pickerDate, QDateTime(QDate(2020, 1, 2), QTime(0, 0)));
        QCOMPARE(session.model().creationDateText(1), QStringLiteral("1/2/2020"));
        QCOMPARE(FileDates::pendingCreationDate(session), QStringLiteral("1/2/2020"));
        QCOMPARE(FileDates::pendingModifiedDate(session), QString());

        // A half-typed text keeps TheDate; the rows show it, nothing is pending.
        pickerDate = FileDates::modifiedPickerChanged(session, "3/4/20x", pickerDate);
        QCOMPARE(pickerDate, QDateTime(QDate(2020, 1, 2), QTime(0, 0)));
        QCOMPARE(session.model().modifiedDateText(0), QStringLiteral("1/2/2020"));
        QCOMPARE(FileDates::pendingModifiedDate(session), QString());

        // Letter case does not matter; a reload makes the pending date lapse.
        session.model().setCreationDateText(0, "1/2/2020 3:04:05 PM");
        QCOMPARE(FileDates::pendingCreationDate(session.model(), "1/2/2020 3:04:05 pm"),
                 QStringLiteral("1/2/2020 3:04:05 pm"));
        QStringList fresh{"1/5/2019|1/5/2019|a"};
        session.model().setRows(ListRows::fromTexts(fresh));
        QCOMPARE(FileDates::pendingCreationDate(session), QString());
    }
};

QTEST_GUILESS_MAIN(TestFileDates)
#include "TestFileDates.moc"
