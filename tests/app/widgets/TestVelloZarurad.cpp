#include "app/Session.h"
#include "app/widgets/AttributesFrame.h"
#include "app/widgets/BatchFrame.h"
#include "app/widgets/RenamingFrame.h"
#include "app/widgets/VelloZarurad.h"
#include "controls/DriveControl.h"
#include "controls/ListPlus.h"
#include "controls/SuperButton.h"
#include "output/widgets/LoadSave.h"
#include "platform/Clipboard.h"
#include "platform/PosixFileSystem.h"

#include "PromptRecorder.h"
#include "TempFolder.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTest>

namespace
{

class MemoryClipboard : public Clipboard
{
public:
    void clear() override { m_text.clear(); }
    void setText(const QString& text) override { m_text = text; }
    QString text() const override { return m_text; }

private:
    QString m_text;
};

// A window on a temporary folder of real files, shown and activated.
struct Fixture {
    explicit Fixture(int files)
    {
        for (int i = 0; i < files; ++i)
            dir.write(QStringLiteral("photo%1.jpg").arg(i, 3, 10, QLatin1Char('0')), "x");
        fs.setCurrentFolder(dir.path());
        session = std::make_unique<Session>(fs, prompts);
        window = std::make_unique<VelloZarurad>(*session);
        window->setClipboard(&clipboard);
        window->show();
        QTRY_VERIFY(window->activated());
    }
    TempFolder dir;
    PosixFileSystem fs;
    PromptRecorder prompts;
    MemoryClipboard clipboard;
    std::unique_ptr<Session> session;
    std::unique_ptr<VelloZarurad> window;
};

} // namespace

class TestVelloZarurad : public QObject
{
    Q_OBJECT
private slots:
    void startsOnTheFolder()
    {
        Fixture f(120);
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Quillon"));
        QCOMPARE(f.session->FileLast, 119);
        QCOMPARE(f.window->Frame1->Zeros->currentText(), QStringLiteral("000"));
        QCOMPARE(f.window->Frame1->Text1->currentText(), QStringLiteral("New_Filename_#"));
        QCOMPARE(f.session->model().DesName(0), QStringLiteral("New_Filename_001.jpg"));
        QCOMPARE(f.session->model().DesName(119), QStringLiteral("New_Filename_120.jpg"));
        QVERIFY(!f.window->Undo_Rename->isEnabled());
        QCOMPARE(f.window->Dr->text() + QLatin1Char('/'), f.dir.path());
    }

    void renamesAndUndoes()
    {
        Fixture f(45);
        const QStringList before = f.dir.names();
        QTest::mouseClick(f.window->Command1, Qt::LeftButton);
        QTRY_COMPARE(f.window->RemN->text(), QStringLiteral("Renaming Completed"));
        QStringList expected;
        for (int i = 1; i <= 45; ++i)
            expected << QStringLiteral("New_Filename_%1.jpg").arg(i, 2, 10, QLatin1Char('0'));
        QCOMPARE(f.dir.names(), expected);
        QVERIFY(f.window->Undo_Rename->isEnabled());
        QVERIFY(f.window->Command1->isEnabled());
        QVERIFY(f.prompts.messages.isEmpty());
        // Ctrl+Z with the list focused runs the undo.
        f.window->ListPlus1->setFocus();
        QTest::keyClick(f.window->ListPlus1, Qt::Key_Z, Qt::ControlModifier);
        QTRY_COMPARE(f.dir.names(), before);
        QVERIFY(!f.window->Undo_Rename->isEnabled());
    }

    void newNamesThroughTheClipboard()
    {
        Fixture f(3);
        f.window->CDfn[0]->trigger();
        QCOMPARE(f.clipboard.text(), QStringLiteral("New_Filename_1.jpg\r\nNew_Filename_2.jpg\r\n"
                                                    "New_Filename_3.jpg\r\n"));
        f.clipboard.setText(QStringLiteral("a.txt\r\n\r\nc:.txt"));
        f.window->CDfn[1]->trigger();
        QCOMPARE(f.session->model().DesName(0), QStringLiteral("a.txt"));
        QCOMPARE(f.session->model().DesName(1), QStringLiteral("New_Filename_2.jpg"));
        QCOMPARE(f.session->model().DesName(2), QStringLiteral("c.txt"));
    }

    void ctrlVInATextFieldPastesThere()
    {
        Fixture f(2);
        f.clipboard.setText(QStringLiteral("x\r\ny\r\n"));
        QLineEdit* text1 = f.window->Frame1->Text1->lineEdit();
        text1->setFocus();
        QTRY_VERIFY(text1->hasFocus());
        text1->selectAll();
        QTest::keyClick(text1, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(f.clipboard.text(), QStringLiteral("x\r\ny\r\n")); // the window did not copy
        QCOMPARE(f.session->model().DesName(0), QStringLiteral("New_Filename_1.jpg"));
    }

    void typedKeysAndChoicesRunTheGenerator()
    {
        Fixture f(2);
        RenamingFrame* frame = f.window->Frame1;
        frame->Text1->lineEdit()->selectAll();
        QTest::keyClicks(frame->Text1->lineEdit(), QStringLiteral("Shot*#"));
        QCOMPARE(frame->Text1->currentText(), QStringLiteral("Shot#")); // "*" discarded
        QTest::keyClick(frame->Text1->lineEdit(), Qt::Key_Return);
        QCOMPARE(f.session->model().DesName(1), QStringLiteral("Shot2.jpg"));
        frame->Text1->setCurrentIndex(frame->Text1->findText(QStringLiteral("Same")));
        emit frame->Text1->activated(frame->Text1->currentIndex());
        QCOMPARE(frame->Text1->currentText(), QString());
        for (int k = 0; k < 2; ++k)
            QCOMPARE(f.session->model().DesName(k), f.session->model().SourceName(k));
    }

    void attributeBoxesExcludeOnMouseDown()
    {
        Fixture f(1);
        AttributesFrame* a = f.window->Attributes;
        QTest::mouseClick(a->Check1[2], Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseClick(a->CheckN, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(a->CheckN->isChecked());
        QVERIFY(!a->Check1[2]->isChecked());
        QCOMPARE(a->choice().renameValue(), 0);
        // The keyboard toggles one box alone.
        a->Check1[1]->setFocus();
        QTest::keyClick(a->Check1[1], Qt::Key_Space);
        QVERIFY(a->CheckN->isChecked());
        QCOMPARE(a->choice().renameValue(), 1);
    }

    void searchNarrowsAndARescanRestores()
    {
        Fixture f(12);
        f.prompts.inputAnswers.push_back(QStringLiteral("photo01"));
        f.window->FindInFile[0]->trigger();
        QCOMPARE(f.session->FileLast, 1); // photo010.jpg and photo011.jpg
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Quillon"));
        QTest::keyClick(f.window->Combo1->lineEdit(), Qt::Key_Return);
        QCOMPARE(f.session->FileLast, 11);
    }

    void batchCopiesEveryFile()
    {
        Fixture f(3);
        TempFolder target;
        f.window->Frame2->Text3->setEditText(QStringLiteral("Filecopy Sourcefiles$ ") +
                                             target.path() + QStringLiteral("Destnames$"));
        QTest::mouseClick(f.window->Frame2->Command3, Qt::LeftButton);
        QCOMPARE(target.names(), (QStringList{QStringLiteral("New_Filename_1.jpg"),
                                              QStringLiteral("New_Filename_2.jpg"),
                                              QStringLiteral("New_Filename_3.jpg")}));
        QVERIFY(f.window->Frame2->Command3->isEnabled());
        QVERIFY(f.prompts.messages.isEmpty());
    }

    void shredsEveryListedFile()
    {
        Fixture f(4);
        QVERIFY(f.dir.write(QStringLiteral("keep.txt"), "kept"));
        f.window->AreSure->trigger();
        QCOMPARE(f.dir.names(), QStringList{QStringLiteral("keep.txt")}); // not listed at the scan
        QCOMPARE(f.window->RemN->text(), QStringLiteral("Shredding Done"));
        QCOMPARE(f.session->FileLast, 0);
    }

    void listingToClipboardAndPrinter()
    {
        Fixture f(2);
        f.window->CopyDir->trigger();
        QVERIFY(f.clipboard.text().startsWith(QStringLiteral("No\tDate\tSize\tFilenames\r\n")));
        QCOMPARE(f.clipboard.text().count(QStringLiteral("\r\n")), 3);
        if (QPrinterInfo::defaultPrinter().isNull()) {
            f.window->PrintC->trigger();
            QCOMPARE(f.prompts.messages,
                     QStringList{QStringLiteral("Error Occured, Please check your printer.")});
        }
    }

    void folderPanelOpensClosesAndPicksAFolder()
    {
        Fixture f(2);
        QVERIFY(QDir(f.dir.path()).mkdir(QStringLiteral("sub")));
        QVERIFY(f.dir.write(QStringLiteral("sub/inner.txt"), "x"));
        QTest::mouseClick(f.window->Command4, Qt::LeftButton);
        QVERIFY(f.window->DriveBorder->isVisible());
        QTest::mouseClick(f.window->Command4, Qt::LeftButton);
        QVERIFY(!f.window->DriveBorder->isVisible());
        // Open by a click on the path box: the browser takes the focus; a
        // click on "Select" then closes the panel once and does not reopen it.
        QTest::mouseClick(f.window->Dr, Qt::LeftButton);
        QVERIFY(f.window->DriveBorder->isVisible());
        QTRY_VERIFY(f.window->dirList->hasFocus());
        f.window->Command4->setFocus();
        QTRY_VERIFY(!f.window->DriveBorder->isVisible());
        QTest::mouseClick(f.window->Command4, Qt::LeftButton);
        QVERIFY(!f.window->DriveBorder->isVisible());
        // Walk into "sub": the list follows at once.
        QTest::mouseClick(f.window->Command4, Qt::LeftButton);
        DriveControl* browser = f.window->dirList;
        int row = -1;
        for (int i = 1; i <= browser->EntryCount(); ++i)
            if (browser->EntryName(i) == QLatin1String("sub"))
                row = i;
        QVERIFY(row > 0);
        QTest::mouseClick(browser, Qt::LeftButton, {}, browser->rowRect(row - 1).center());
        QCOMPARE(f.session->FileLast, 0);
        QCOMPARE(f.session->model().SourceName(0), QStringLiteral("inner.txt"));
        QCOMPARE(f.window->Dr->text(), f.dir.path() + QStringLiteral("sub"));
    }

    void savesTheListingThroughTheDialog()
    {
        Fixture f(3);
        LoadSave::setNextAnswer([](LoadSave& dialog) {
            dialog.txtSearchSpec->setText(QStringLiteral("listing"));
            dialog.Combo1->setCurrentIndex(dialog.Combo1->findText(QStringLiteral("*.csv")));
            QTest::mouseClick(dialog.Command1[1], Qt::LeftButton);
        });
        f.window->SaveSc->trigger();
        const QByteArray csv = f.dir.read(QStringLiteral("listing.csv"));
        QVERIFY(csv.contains("Directory " + f.window->Dr->text().toUtf8() + "\r\n"));
        QCOMPARE(csv.count("photo"), 3);
    }

    void neverSmallerThanTheMinimum()
    {
        Fixture f(1);
        f.window->resize(200, 100);
        QTRY_VERIFY(f.window->pixelsToTwipsX(f.window->centralWidget()->width()) >= 15375);
        // At the minimum the list is 15255 twips wide and the path box 11991.
        QCOMPARE(f.window->ListPlus1->width(), f.window->twipsX(15255));
        QCOMPARE(f.window->Dr->width(), f.window->twipsX(11991));
    }
};

QTEST_MAIN(TestVelloZarurad)
#include "TestVelloZarurad.moc"
