// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/FolderBrowser.h"
#include "controls/RenderedButton.h"
#include "controls/ScrollBar.h"
#include "filelist/FileListModel.h"
#include "gui/SaveListingDialog.h"
#include "output/ListingSource.h"
#include "platform/PosixFileSystem.h"

#include "ListRows.h"
#include "PromptRecorder.h"
#include "TempFolder.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <sys/stat.h>

// "Save Directory..." from end to end: the dialog driven as a person would,
// then the file it wrote (or did not write).
class TestSaveListingDialog : public QObject
{
    Q_OBJECT

    TempFolder m_folder;
    PosixFileSystem m_fs;

    // One step of the person at the dialog.
    static void act(SaveListingDialog& dialog, const QString& step)
    {
        const QString arg = step.section(QLatin1Char(':'), 1);
        if (step.startsWith(QLatin1String("type:"))) {
            QTest::keyClicks(dialog.nameBox, arg);
        } else if (step == QLatin1String("clear")) {
            dialog.nameBox->clear();
        } else if (step.startsWith(QLatin1String("type-index:"))) {
            dialog.typeBox->setCurrentIndex(arg.toInt());
            emit dialog.typeBox->activated(arg.toInt());
        } else if (step.startsWith(QLatin1String("browse:"))) {
            FolderBrowser* list = dialog.browser;
            for (int i = 1; i <= list->entryCount(); ++i) {
                if (list->entryName(i) == arg) {
                    const QRect row = list->rowRect(i - list->scrollBar()->value());
                    QTest::mouseClick(list, Qt::LeftButton, {}, row.center());
                    return;
                }
            }
            QFAIL(qPrintable("no entry " + arg));
        } else if (step == QLatin1String("save")) {
            QTest::mouseClick(dialog.saveButton, Qt::LeftButton, {}, QPoint(10, 10));
        } else if (step == QLatin1String("cancel")) {
            QTest::mouseClick(dialog.cancelButton, Qt::LeftButton, {}, QPoint(10, 10));
        } else if (step == QLatin1String("enter")) {
            QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);
        } else if (step == QLatin1String("frame")) {
            dialog.close();
        }
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_folder.isValid());
        QVERIFY(::mkdir(QFile::encodeName(m_folder.file("Out")).constData(), 0755) == 0);
    }

    void init()
    {
        // Fresh files for every case: two listed files and an earlier export.
        QVERIFY(m_folder.write("a.txt", "abc") && m_folder.write("b.txt", "12345"));
        QVERIFY(m_folder.write("old.csv", "earlier"));
        for (const QString& name : m_folder.names()) {
            if (name != "Out" && name != "a.txt" && name != "b.txt" && name != "old.csv")
                QVERIFY(::unlink(QFile::encodeName(m_folder.file(name)).constData()) == 0);
        }
        ::unlink(QFile::encodeName(m_folder.file("Out/report.csv")).constData());
    }

    void save_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("file"); // written, relative to the folder; "" = nothing
        QTest::addColumn<QByteArray>("start");

        const QByteArray csv = "No,Date/Time,Byte Size,Filenames at Directory ";
        const auto row = [](const char* name, const char* steps, const char* file,
                            const QByteArray& start) {
            QTest::newRow(name) << steps << file << start;
        };
        row("typed name", "type:report;save", "report.csv", csv);
        row("other extension typed", "clear;type:list.txt;save", "list.csv", csv);
        row("rich text", "type-index:1;type:report;save", "report.rtf", "{\\rtf1\\ansi");
        row("spreadsheet", "type:report;type-index:2;save", "report.xls",
            QByteArray::fromHex("0900"));
        row("the XLSX type, a zip archive", "type:report;type-index:3;save", "report.xlsx", "PK");
        row("forbidden characters dropped", "type:a|b*c\"d/e:f<g>h?i\\j;save", "abcdefghij.csv",
            csv);
        row("enter in the name box saves", "type:report;enter;frame", "report.csv", csv);
        row("enter without a name saves nothing", "enter;frame", "", {});
        row("into a sub-folder", "browse:Out;type:report;save", "Out/report.csv", csv);
        row("file clicked replaces it", "browse:old.csv;save", "old.csv", csv);
        row("cancel", "type:report;cancel", "", {});
        row("closed by the frame", "type:report;frame", "", {});
        row("no name: save does nothing", "save;frame", "", {});
    }

    void save()
    {
        QFETCH(QString, steps);
        QFETCH(QString, file);
        QFETCH(QByteArray, start);

        FileListModel model;
        QStringList rows = {"1/2/2020|d2|a.txt||3", "1/3/2020|d2|b.txt||5"};
        model.setRows(ListRows::fromTexts(rows));
        const ListingSource source{model, 1, m_folder.path(), QStringLiteral("/data")};
        PromptRecorder prompter;
        const QStringList before = m_folder.names();

        SaveListingDialog::setNextAnswer([&steps](SaveListingDialog& dialog) {
            dialog.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            for (const QString& step : steps.split(QLatin1Char(';'))) {
                if (!dialog.isVisible())
                    break;
                act(dialog, step);
            }
        });
        const bool written = SaveListingDialog::saveListing(source, prompter, nullptr, m_fs);

        QCOMPARE(written, !file.isEmpty());
        QCOMPARE(prompter.messages, QStringList());
        QStringList created = m_folder.names();
        for (const QString& name : before)
            created.removeOne(name);
        if (file.isEmpty()) {
            QCOMPARE(created, QStringList());
            QCOMPARE(m_folder.read("old.csv"), QByteArray("earlier"));
            return;
        }
        QVERIFY2(m_folder.read(file).startsWith(start), qPrintable(m_folder.read(file).left(40)));
        if (file.contains(QLatin1Char('/')) || file == QLatin1String("old.csv"))
            QCOMPARE(created, QStringList());
        else
            QCOMPARE(created, QStringList{file});
    }

    void layoutAndKeys()
    {
        SaveListingDialog dialog(m_fs);
        QString folder = m_folder.path();
        dialog.browser->openFolder(folder);
        dialog.typeBox->addItems({"*.csv", "*.rtf", "*.xls"});
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        // At 96 dots per inch a twip is a fifteenth of a pixel.
        QCOMPARE(dialog.browser->geometry(), QRect(6, 9, 493, 214));
        QCOMPARE(dialog.nameBox->geometry(), QRect(93, 232, 324, 28));
        QCOMPARE(dialog.saveButton->geometry(), QRect(393, 267, 103, 37));
        QCOMPARE(dialog.cancelButton->caption(), QStringLiteral("Cancel"));
        // The browser lists only the chosen type's files.
        QStringList files;
        for (int i = 1; i <= dialog.browser->entryCount(); ++i) {
            if (dialog.browser->entryKind(i) == FolderBrowser::FileKind)
                files << dialog.browser->entryName(i);
        }
        QCOMPARE(files, QStringList{"old.csv"});
        QCOMPARE(dialog.nameBox->text(), QStringLiteral(".csv"));
        QCOMPARE(QApplication::focusWidget(), dialog.nameBox);
        for (Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_PageUp}) {
            dialog.nameBox->setFocus();
            QTest::keyClick(dialog.nameBox, key);
            QCOMPARE(QApplication::focusWidget(), dialog.browser);
        }
        dialog.nameBox->setFocus();
        QTest::keyClick(dialog.nameBox, Qt::Key_Return);
        QVERIFY(dialog.isVisible()); // ".csv" has no stem: nothing to save
    }
};

QTEST_MAIN(TestSaveListingDialog)
#include "TestSaveListingDialog.moc"
