// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/FolderBrowser.h"
#include "controls/ScrollBar.h"
#include "platform/FileSystem.h"
#include "platform/PosixFileSystem.h"

#include "TempFolder.h"

#include <QApplication>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>

#include <sys/stat.h>

namespace
{
const QList<DriveList::Volume> Volumes = {
    {"/", "ext4", "/dev/sda1", {}, true, true},
    {"/media/usb", "vfat", "/dev/sdb1", "STICK", true, true},
    {"/media/gone", "ext4", "/dev/sdc1", "OLD", false, true},
};
} // namespace

// The drive and folder browser: what it lists and in which order, where a
// click takes it, how it lays itself out, pages and highlights.
class TestFolderBrowser : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_folder.isValid());
        m_startFolder = m_fs.currentFolder();
        for (const QString name : {"Alpha", "Beta", ".cache"})
            QVERIFY(::mkdir(QFile::encodeName(folder(name)).constData(), 0755) == 0);
        for (const char* name : {"notes.TXT", "notes.txt.bak", "readme", ".profile", "locked.txt"})
            QVERIFY(m_folder.write(name, "x"));
        QVERIFY(::chmod(QFile::encodeName(folder("locked.txt")).constData(), 0444) == 0);
        qputenv("HOME", QFile::encodeName(folder("Beta")));
    }

    void init()
    {
        m_fs.refuseAlpha = false;
        QCOMPARE(m_fs.setCurrentFolder(m_folder.path()), 0);
        m_control = std::make_unique<FolderBrowser>(m_fs);
        m_control->setVolumeSource([] { return Volumes; });
        m_control->resize(500, 900); // every entry fits
        m_control->show();
        m_control->relist();
    }

    void cleanupTestCase()
    {
        m_control.reset();
        QCOMPARE(m_fs.setCurrentFolder(m_startFolder), 0);
    }

    void entryOrder()
    {
        QString listed;
        m_control->openFolder(listed);
        QCOMPARE(listed, here());
        const QStringList all = entries(0);
        QCOMPARE(all.mid(0, 5), QStringList({"/ <>", "/media/gone", "/media/usb <STICK>", "Beta",
                                             here() + "/.."}));
        QList<int> kinds;
        for (int i = 1; i <= m_control->entryCount(); ++i)
            kinds << m_control->entryKind(i);
        QCOMPARE(kinds, QList<int>({13, 12, 12, 110, 11, 1, 1, 3, 2, 2, 2}));
        // Folders, then files, each in name order; ".cache" is hidden.
        QCOMPARE(all.mid(5), QStringList({"Alpha", "Beta", "locked.txt", "notes.TXT",
                                          "notes.txt.bak", "readme"}));
        QCOMPARE(entries(FolderBrowser::ReadOnlyFileKind), QStringList{"locked.txt"});
        QCOMPARE(m_control->selectedIndex(), -1);
    }

    void fileFilter_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("showFiles");
        QTest::addColumn<QStringList>("files");

        const QStringList all = {"locked.txt", "notes.TXT", "notes.txt.bak", "readme"};
        QTest::newRow("empty pattern keeps all") << "" << 1 << all;
        QTest::newRow("dot star keeps all") << ".*" << 1 << all;
        QTest::newRow("containment, any case")
            << ".txt" << 1 << QStringList({"locked.txt", "notes.TXT", "notes.txt.bak"});
        QTest::newRow("nothing matches") << ".csv" << 1 << QStringList();
        QTest::newRow("files not shown") << "" << 0 << QStringList();
    }

    void fileFilter()
    {
        QFETCH(QString, pattern);
        QFETCH(int, showFiles);

        m_control->setShowFiles(showFiles);
        m_control->setFilePattern(pattern);
        QStringList listed =
            entries(FolderBrowser::FileKind) + entries(FolderBrowser::ReadOnlyFileKind);
        listed.sort();
        QTEST(listed, "files");
        QCOMPARE(entries(FolderBrowser::FolderKind).size(), 2);
    }

    void click_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("folder");     // the browser's folder afterwards
        QTest::addColumn<QString>("selectPath"); // "" = unchanged (empty)
        QTest::addColumn<QString>("fileName");

        const QString parent = QFileInfo(here()).path();
        QTest::newRow("folder") << "Alpha" << folder("Alpha") << folder("Alpha") << "";
        QTest::newRow("up entry") << "UP" << parent << parent << "";
        QTest::newRow("file") << "readme" << here() << ""
                              << "readme";
        QTest::newRow("home") << "Beta" << folder("Beta") << folder("Beta") << "";
        const QString root = QStringLiteral("/");
        QTest::newRow("drive") << "/ <>" << root << root << QString();
        QTest::newRow("drive not ready stays") << "/media/gone" << here() << "/media/gone"
                                               << "";
    }

    void click()
    {
        QFETCH(QString, entry);
        QFETCH(QString, folder);
        QFETCH(QString, fileName);

        QSignalSpy clicks(m_control.get(), &FolderBrowser::clicked);
        QSignalSpy chosen(m_control.get(), &FolderBrowser::entryChosen);
        clickEntry(entry == QLatin1String("UP") ? here() + "/.." : entry);
        QCOMPARE(m_control->folder(), folder);
        QCOMPARE(m_fs.currentFolder(), here()); // the process stays where it was
        QTEST(m_control->selectedPath(), "selectPath");
        QCOMPARE(m_control->fileName(), fileName);
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(clicks.size(), 1);
        // The list follows the folder it went to.
        QCOMPARE(entries(FolderBrowser::UpKind).last(), folder == "/" ? "/" : folder + "/..");
    }

    void rootEntry()
    {
        QString root = QStringLiteral("/");
        m_control->openFolder(root);
        QCOMPARE(entries(FolderBrowser::UpKind), QStringList{"/"});
        clickEntry(QStringLiteral("/"));
        QCOMPARE(m_control->folder(), QStringLiteral("/"));
        QCOMPARE(m_control->selectedPath(), QStringLiteral("/"));

        // Below the last entry nothing happens and nothing is chosen; on the
        // border between two rows nothing happens either, but it is reported.
        QSignalSpy chosen(m_control.get(), &FolderBrowser::entryChosen);
        const QRect last = m_control->rowRect(m_control->entryCount());
        QTest::mouseClick(m_control.get(), Qt::LeftButton, {}, last.center());
        QCOMPARE(chosen.size(), 0);
        QTest::mouseClick(m_control.get(), Qt::LeftButton, {}, QPoint(100, last.top()));
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(m_control->folder(), QStringLiteral("/"));
    }

    void unreadableFolder()
    {
        // Root reads every folder, so the refusal comes from a fake.
        m_fs.refuseAlpha = true;
        clickEntry(QStringLiteral("Alpha"));
        QCOMPARE(m_control->folder(), folder("Alpha"));
        QCOMPARE(entries(0), QStringList({"/ <>", "/media/gone", "/media/usb <STICK>", "Beta",
                                          folder("Alpha") + "/.."}));
        clickEntry(folder("Alpha") + "/..");
        QCOMPARE(m_control->folder(), here());
    }

    void vanishedFolder_data()
    {
        QTest::addColumn<QString>("action"); // what the user does after the folder went
        QTest::newRow("click on the up entry") << "up";
        QTest::newRow("list again") << "relist";
        QTest::newRow("click on a vanished sub-folder") << "sub";
    }

    void vanishedFolder()
    {
        QFETCH(QString, action);
        const QByteArray gone = QFile::encodeName(folder("Gone"));
        QVERIFY(::mkdir(gone.constData(), 0755) == 0 && ::mkdir(gone + "/Deeper", 0755) == 0);
        m_control->relist();
        clickEntry(QStringLiteral("Gone"));
        QCOMPARE(entries(FolderBrowser::FolderKind), QStringList{"Deeper"});
        QVERIFY(::rmdir(gone + "/Deeper") == 0 && ::rmdir(gone.constData()) == 0);
        if (action == QLatin1String("up"))
            clickEntry(folder("Gone") + "/..");
        else if (action == QLatin1String("relist"))
            m_control->relist();
        else
            clickEntry(QStringLiteral("Deeper"));
        // The list shows where the user can go from here.
        QCOMPARE(m_control->folder(), here());
        QCOMPARE(entries(FolderBrowser::UpKind).last(), here() + "/..");
        QVERIFY(entries(FolderBrowser::FolderKind).contains(QStringLiteral("Alpha")));
    }

    void layout_data()
    {
        // The control's height in rows of the list (11 entries) plus pixels, and
        // what the layout makes of it.
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("pixels");
        QTest::addColumn<int>("visibleRows");
        QTest::addColumn<int>("valueMax");
        QTest::newRow("fits exactly: bar hidden") << 11 << 0 << 12 << 2;
        QTest::newRow("room to spare") << 13 << 5 << 12 << 2;
        // The last page ends with the last entry: valueMax = 11 - visibleRows + 1.
        QTest::newRow("one pixel short") << 11 << -1 << 10 << 2;
        QTest::newRow("half the list") << 6 << 3 << 6 << 6;
    }

    void layout()
    {
        QFETCH(int, rows);
        QFETCH(int, pixels);
        QFETCH(int, visibleRows);
        QFETCH(int, valueMax);

        QCOMPARE(m_control->entryCount(), 11);
        m_control->resize(400, rows * m_control->rowRect(0).height() + pixels);
        ScrollBar* bar = m_control->scrollBar();
        QCOMPARE(m_control->visibleRows(), visibleRows);
        QCOMPARE(bar->valueMax(), valueMax);
        QCOMPARE(bar->value(), 1);
        QCOMPARE(bar->isHidden(), visibleRows > 11);
        if (!bar->isHidden()) {
            QCOMPARE(bar->valueLargeChange(), visibleRows);
            QCOMPARE(bar->geometry().right(), m_control->width() - 1);
        }
    }

    void keys_data()
    {
        QTest::addColumn<QStringList>("keys"); // in a list of 23 entries showing 6 rows
        QTest::addColumn<int>("highlighted");
        QTest::addColumn<QString>("folder"); // where it went: "" stays, "UP" the parent
        QTest::newRow("Down highlights the top row") << QStringList{"Down"} << 1 << "";
        QTest::newRow("Down Down Up") << QStringList{"Down", "Down", "Up"} << 1 << "";
        QTest::newRow("Up at the top") << QStringList{"Down", "Up"} << 1 << "";
        QTest::newRow("Page Down") << QStringList{"Down", "PgDown"} << 7 << "";
        QTest::newRow("End shows the last entry whole") << QStringList{"End"} << 23 << "";
        QTest::newRow("Home after End") << QStringList{"End", "Home"} << 1 << "";
        QTest::newRow("Return opens the folder")
            << QStringList{"Home", "Down", "Down", "Down", "Down", "Down", "Return"} << 0
            << "Alpha";
        QTest::newRow("Backspace goes up") << QStringList{"Backspace"} << 0 << "UP";
        QTest::newRow("Alt+Up goes up") << QStringList{"Alt+Up"} << 0 << "UP";
    }

    // The keys move a highlight kept wholly in view; Return acts on it as a
    // click does; Escape is left to the container, which closes its panel.
    void keys()
    {
        QFETCH(QStringList, keys);
        QFETCH(int, highlighted);
        QFETCH(QString, folder);
        for (int i = 0; i < 12; ++i)
            QVERIFY(m_folder.write(QStringLiteral("page%1").arg(i), "x"));
        m_control->relist();
        m_control->resize(400, m_control->rowRect(0).height() * 6 + 3);
        QCOMPARE(m_control->visibleRows(), 6);
        QSignalSpy clicks(m_control.get(), &FolderBrowser::clicked);
        for (const QString& key : keys)
            QTest::keyClick(m_control.get(), QKeySequence(key)[0].key(),
                            QKeySequence(key)[0].keyboardModifiers());
        QCOMPARE(m_control->highlightedIndex(), highlighted);
        if (highlighted > 0) {
            const QRect row = m_control->rowRect(highlighted - m_control->scrollBar()->value());
            QVERIFY(row.top() >= 0 && row.bottom() < m_control->height());
        }
        const QString expected = folder.isEmpty() ? here()
                                 : folder == "UP" ? QFileInfo(here()).path()
                                                  : this->folder(folder);
        QCOMPARE(m_control->folder(), expected);
        QCOMPARE(clicks.size(), folder.isEmpty() ? 0 : 1);
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(m_control.get(), &escape);
        QVERIFY(!escape.isAccepted());
        for (int i = 0; i < 12; ++i)
            QVERIFY(::unlink(QFile::encodeName(this->folder(QStringLiteral("page%1").arg(i)))) ==
                    0);
    }

    void highlights_data()
    {
        QTest::addColumn<bool>("press");
        QTest::addColumn<QColor>("fill");
        QTest::newRow("hover") << false << QColor(237, 237, 255);
        QTest::newRow("press") << true << QColor(255, 0, 0);
    }

    void highlights()
    {
        QFETCH(bool, press);

        QVERIFY(QTest::qWaitForWindowExposed(m_control.get()));
        const int folderRow = entries(0).indexOf(QStringLiteral("Alpha"));
        const QRect row = m_control->rowRect(folderRow);
        const QPoint at(m_control->width() / 2, row.center().y());
        if (press)
            QTest::mousePress(m_control.get(), Qt::LeftButton, {}, at);
        else
            QTest::mouseMove(m_control.get(), at);
        const QImage shot = m_control->grab().toImage();
        const int x = m_control->width() - 10;
        QTEST(shot.pixelColor(x, row.center().y()), "fill");
        QCOMPARE(shot.pixelColor(x, m_control->rowRect(folderRow + 1).center().y()),
                 QColor(Qt::white));
        QCOMPARE(shot.pixelColor(m_control->width() - 2, row.center().y()), QColor(224, 224, 224));
        // Text colours: folders blue, files grey, drives green.
        auto holds = [&](const char* entry, const QColor& colour) {
            const QImage band = shot.copy(m_control->rowRect(entries(0).indexOf(entry)));
            for (int y = 0; y < band.height(); ++y)
                for (int x = 0; x < band.width(); ++x)
                    if (band.pixelColor(x, y) == colour)
                        return true;
            return false;
        };
        QVERIFY(holds("Alpha", Qt::blue) && holds("readme", Qt::darkGray) &&
                holds("/ <>", Qt::darkGreen));
        if (press)
            QTest::mouseRelease(m_control.get(), Qt::LeftButton, {}, at);
    }

private:
    QStringList entries(int kind) const
    {
        QStringList names;
        for (int i = 1; i <= m_control->entryCount(); ++i) {
            if (kind == 0 || m_control->entryKind(i) == kind)
                names << m_control->entryName(i);
        }
        return names;
    }

    void clickEntry(const QString& text)
    {
        const int index = entries(0).indexOf(text) + 1;
        QVERIFY2(index > 0, qPrintable(text));
        const QRect row = m_control->rowRect(index - m_control->scrollBar()->value());
        QTest::mouseClick(m_control.get(), Qt::LeftButton, {}, row.center());
    }

    QString folder(const QString& name) const { return m_folder.path() + name; }
    QString here() const { return m_folder.path().chopped(1); }

    TempFolder m_folder;
    QString m_startFolder;
    // The real file system, which refuses to list Alpha when asked to.
    struct RefusingFileSystem : PosixFileSystem {
        bool refuseAlpha = false;
        int enumerate(const QString& f, bool a,
                      const std::function<bool(const Entry&)>& visit) override
        {
            if (refuseAlpha && f.endsWith(QLatin1String("/Alpha")))
                return 70;
            return PosixFileSystem::enumerate(f, a, visit);
        }
    } m_fs;
    std::unique_ptr<FolderBrowser> m_control;
};

QTEST_MAIN(TestFolderBrowser)
#include "TestFolderBrowser.moc"
