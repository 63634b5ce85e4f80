// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The main window by keys: the tab order, the folder panel, and the sorted
// column's arrow, with input through the focused widget as the platform
// delivers it.

#include "app/Session.h"
#include "controls/DatePicker.h"
#include "controls/FileListView.h"
#include "controls/FolderBrowser.h"
#include "controls/RenderedButton.h"
#include "gui/AttributesFrame.h"
#include "gui/BatchFrame.h"
#include "gui/FolderRow.h"
#include "gui/MainWindow.h"
#include "gui/RenamingFrame.h"
#include "platform/PosixFileSystem.h"

#include "PromptRecorder.h"
#include "ShownWindow.h"
#include "TempFolder.h"
#include "WindowInput.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <algorithm>

namespace
{

// A window on a temporary folder of real files, shown and activated.
struct Fixture : ShownWindow<> {
    explicit Fixture(int files)
    {
        for (int i = 0; i < files; ++i)
            dir.write(QStringLiteral("photo%1.jpg").arg(i), "x");
        open();
    }
};

} // namespace

class TestWindowKeys : public QObject
{
    Q_OBJECT
private slots:
    // Tab from the folder box goes through every control once, in the order
    // they stand in the window, and comes back: no control keeps it.
    void tabReachesEveryControl()
    {
        Fixture f(3);
        MainWindow& w = *f.window;
        const QList<QWidget*> controls = {w.folderRow->folderBox,
                                          w.folderRow->typeFilterBox,
                                          w.folderRow->selectFolderButton,
                                          w.fileList,
                                          w.fileList->datePicker(0),
                                          w.fileList->datePicker(1),
                                          w.attributesFrame,
                                          w.renamingFrame,
                                          w.batchFrame,
                                          w.startRenameButton};
        w.folderRow->folderBox->setFocus();
        QTRY_VERIFY(w.folderRow->folderBox->hasFocus());
        QList<QWidget*> visited;
        QList<QWidget*> owners;
        QList<std::pair<QWidget*, QImage>> focusedLooks; // the attribute boxes'
        do {
            QWidget* now = QApplication::focusWidget();
            QVERIFY2(now, "no control has the focus");
            if (qobject_cast<QCheckBox*>(now))
                focusedLooks.append({now, now->grab().toImage()});
            QVERIFY2(!visited.contains(now), qPrintable(now->objectName()));
            visited << now;
            const auto owner = std::find_if(controls.begin(), controls.end(), [now](QWidget* c) {
                return c == now || c->isAncestorOf(now);
            });
            QVERIFY2(owner != controls.end(), qPrintable(now->objectName()));
            if (owners.isEmpty() || owners.last() != *owner)
                owners << *owner;
            QTest::keyClick(now, Qt::Key_Tab);
            // A calendar shown in a drop-down window gives the window back.
            QTRY_VERIFY(QApplication::focusWidget() && QApplication::focusWidget() != now);
        } while (QApplication::focusWidget() != w.folderRow->folderBox && visited.size() < 60);
        QCOMPARE(owners, controls);
        QCOMPARE(w.fileList->datePicker(1)->size(), w.fileList->datePicker(1)->closedSize());
        QCOMPARE(focusedLooks.size(), 4);
        for (const auto& [box, focused] : focusedLooks) {
            const QImage plain = box->grab().toImage();
            int darker = 0;
            for (int y = 0; y < plain.height(); ++y)
                for (int x = 0; x < plain.width(); ++x)
                    darker += qGray(focused.pixel(x, y)) + 40 < qGray(plain.pixel(x, y));
            QVERIFY2(darker > plain.width() * plain.height() / 3, qPrintable(box->objectName()));
        }
    }

    // The folder panel by keys: Space on "Select" opens it with the focus in
    // the browser, the arrows and Return go into a folder, Escape closes it.
    void folderPanelByKeys()
    {
        Fixture f(2);
        QVERIFY(QDir(f.dir.path()).mkdir(QStringLiteral("sub")));
        QVERIFY(f.dir.write(QStringLiteral("sub/inner.txt"), "x"));
        f.window->folderRow->selectFolderButton->setFocus();
        QTRY_VERIFY(f.window->folderRow->selectFolderButton->hasFocus());
        QTest::keyClick(f.window->folderRow->selectFolderButton, Qt::Key_Space);
        FolderBrowser* browser = f.window->folderRow->folderBrowser;
        QVERIFY(f.window->folderRow->folderPanel->isVisible());
        QTRY_VERIFY(browser->hasFocus());
        QTest::keyClick(browser, Qt::Key_Home);
        while (browser->entryName(browser->highlightedIndex()) != QLatin1String("sub") &&
               browser->highlightedIndex() < browser->entryCount())
            QTest::keyClick(browser, Qt::Key_Down);
        QTest::keyClick(browser, Qt::Key_Return);
        QCOMPARE(f.window->folderRow->folderBox->text(), f.dir.path() + QStringLiteral("sub"));
        QCOMPARE(f.session->lastPosition(), 0);
        QTest::keyClick(browser, Qt::Key_Escape);
        QVERIFY(!f.window->folderRow->folderPanel->isVisible());
        QTRY_VERIFY(f.window->folderRow->selectFolderButton->hasFocus());
    }

    // The sorted column's header holds an arrow: up after the first click,
    // down after the second, up again after the third; another column takes it.
    void sortedColumnShowsAnArrow()
    {
        Fixture f(3);
        QPushButton* byName = f.window->fileList->sortButton(3);
        QList<ushort> arrows;
        for (int click = 0; click < 3; ++click) {
            WindowInput::click(byName);
            arrows << byName->text().back().unicode();
        }
        QCOMPARE(arrows, QList<ushort>({0x25B2, 0x25BC, 0x25B2}));
        QCOMPARE(f.session->model().currentNameAt(0), QStringLiteral("photo0.jpg"));
        WindowInput::click(f.window->fileList->sortButton(5));
        QCOMPARE(byName->text(), QStringLiteral("Current Filenames"));
    }
};

QTEST_MAIN(TestWindowKeys)
#include "TestWindowKeys.moc"
