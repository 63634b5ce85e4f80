#include "app/FileSearch.h"
#include "app/Session.h"
#include "controls/DatePicker.h"
#include "controls/FileListView.h"
#include "controls/FolderBrowser.h"
#include "controls/RenderedButton.h"
#include "controls/ScrollBar.h"
#include "gui/AttributesFrame.h"
#include "gui/BatchFrame.h"
#include "gui/MainWindow.h"
#include "gui/PicturePreview.h"
#include "gui/QtPrompter.h"
#include "gui/RenamingFrame.h"
#include "gui/SaveListingDialog.h"
#include "platform/Clipboard.h"
#include "platform/PosixFileSystem.h"

#include "PromptRecorder.h"
#include "TempFolder.h"
#include "WindowInput.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>
#include <QStyleOptionGroupBox>
#include <QTest>
#include <QTimer>

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
        window = std::make_unique<MainWindow>(*session);
        window->setClipboard(&clipboard);
        window->show();
        QTRY_VERIFY(window->activated());
        window->activateWindow();
        (void)QTest::qWaitForWindowActive(window.get());
    }
    QWidget* w() const { return window.get(); }
    TempFolder dir;
    PosixFileSystem fs;
    PromptRecorder prompts;
    MemoryClipboard clipboard;
    std::unique_ptr<Session> session;
    std::unique_ptr<MainWindow> window;
};

} // namespace

class TestMainWindow : public QObject
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

    // What a person types stays as typed (no completion), the file-name filter
    // and the generator's triggers see real typing, Enter adds no list item.
    void typingInTheBoxes_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("newName");
        QTest::addColumn<QString>("message");
        const QString plain = QStringLiteral("New_Filename_2.jpg");
        QTest::newRow("batch D") << "Text3"
                                 << "D"
                                 << "D" << plain << "";
        QTest::newRow("case is no keyword")
            << "Text1"
            << "case\r"
            << "case" << plain << "All new file names cannot be the same...";
        QTest::newRow("File") << "Text1"
                              << "File"
                              << "File" << plain << "";
        QTest::newRow("type") << "Combo1"
                              << "*.t"
                              << "*.t" << plain << "";
        QTest::newRow("forbidden") << "Text1"
                                   << "S|h*o\"t/:<>?\\#\r"
                                   << "Shot#"
                                   << "Shot2.jpg"
                                   << "";
        QTest::newRow("Text2 key") << "Text2"
                                   << ".png"
                                   << ".png"
                                   << "New_Filename_2.pn"
                                   << "";
    }
    void typingInTheBoxes()
    {
        QFETCH(QString, box);
        QFETCH(QString, keys);
        Fixture f(2);
        const QMap<QString, QComboBox*> boxes{{"Text1", f.window->Frame1->Text1},
                                              {"Text2", f.window->Frame1->Text2},
                                              {"Text3", f.window->Frame2->Text3},
                                              {"Combo1", f.window->Combo1}};
        QComboBox* typedIn = boxes.value(box);
        const int items = typedIn->count();
        WindowInput::click(typedIn, QPoint(5, typedIn->height() / 2));
        WindowInput::key(f.w(), Qt::Key_A, Qt::ControlModifier);
        WindowInput::type(f.w(), keys);
        QTEST(typedIn->currentText(), "text");
        QCOMPARE(typedIn->count(), items);
        QTEST(f.session->model().DesName(1), "newName");
        QTEST(f.prompts.messages.join(QLatin1Char('|')), "message");
    }

    // A batch copies every file; a button clicks on Space and Enter only, and
    // the focus comes back to Execute after its batch: stray keys start nothing.
    void batchThenStrayKeys()
    {
        Fixture f(3);
        TempFolder target;
        const QStringList before = f.dir.names();
        f.window->Frame2->Text3->setEditText(QStringLiteral("Filecopy Sourcefiles$ ") +
                                             target.path() + QStringLiteral("Destnames$"));
        WindowInput::click(f.window->Frame2->Command3);
        const QStringList copies{QStringLiteral("New_Filename_1.jpg"),
                                 QStringLiteral("New_Filename_2.jpg"),
                                 QStringLiteral("New_Filename_3.jpg")};
        QCOMPARE(target.names(), copies);
        QVERIFY(f.prompts.messages.isEmpty());
        QCOMPARE(QApplication::focusWidget(), f.window->Frame2->Command3);
        for (Qt::Key k : {Qt::Key_X, Qt::Key_Escape, Qt::Key_A})
            WindowInput::key(f.w(), k);
        QCOMPARE(f.dir.names(), before);
        QCOMPARE(target.names(), copies);
    }

    // A pass, then Ctrl+Z wherever the focus is (the path box too).
    void renamesAndUndoes_data()
    {
        QTest::addColumn<bool>("tabToPathBox");
        QTest::newRow("focus after the pass") << false;
        QTest::newRow("path box") << true;
    }
    void renamesAndUndoes()
    {
        QFETCH(bool, tabToPathBox);
        Fixture f(45);
        const QStringList before = f.dir.names();
        WindowInput::click(f.window->Command1);
        QTRY_COMPARE(f.window->RemN->text(), QStringLiteral("Renaming Completed"));
        QStringList expected;
        for (int i = 1; i <= 45; ++i)
            expected << QStringLiteral("New_Filename_%1.jpg").arg(i, 2, 10, QLatin1Char('0'));
        QCOMPARE(f.dir.names(), expected);
        QVERIFY(f.window->Undo_Rename->isEnabled());
        QVERIFY(f.window->Command1->isEnabled());
        QVERIFY(f.prompts.messages.isEmpty());
        for (int i = 0; tabToPathBox && QApplication::focusWidget() != f.window->Dr; ++i) {
            QVERIFY(i < 40);
            WindowInput::key(f.w(), Qt::Key_Tab);
        }
        WindowInput::key(f.w(), Qt::Key_Z, Qt::ControlModifier);
        QTRY_COMPARE(f.dir.names(), before);
        QVERIFY(!f.window->Undo_Rename->isEnabled());
    }

    // The wheel scrolls the list three rows a notch, over its rows and its bar.
    void wheelScrollsTheList_data()
    {
        QTest::addColumn<bool>("overBar");
        QTest::newRow("rows") << false;
        QTest::newRow("scroll bar") << true;
    }
    void wheelScrollsTheList()
    {
        QFETCH(bool, overBar);
        Fixture f(80);
        FileListView* list = f.window->FileListView1;
        QWidget* over = overBar ? static_cast<QWidget*>(list->findChild<ScrollBar*>())
                                : static_cast<QWidget*>(list);
        WindowInput::wheel(over, 2);
        QCOMPARE(list->topRow(), 6);
        WindowInput::wheel(over, -1);
        QCOMPARE(list->topRow(), 3);
    }

    // Only the left button navigates in the browser.
    void browserNavigatesOnTheLeftButton_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<bool>("navigates");
        QTest::newRow("left") << Qt::LeftButton << true;
        QTest::newRow("right") << Qt::RightButton << false;
        QTest::newRow("middle") << Qt::MiddleButton << false;
    }
    void browserNavigatesOnTheLeftButton()
    {
        QFETCH(Qt::MouseButton, button);
        QFETCH(bool, navigates);
        Fixture f(2);
        QVERIFY(QDir(f.dir.path()).mkdir(QStringLiteral("sub")));
        QVERIFY(f.dir.write(QStringLiteral("sub/inner.txt"), "x"));
        WindowInput::click(f.window->Command4);
        FolderBrowser* browser = f.window->dirList;
        int row = -1;
        for (int i = 1; i <= browser->entryCount(); ++i)
            if (browser->entryName(i) == QLatin1String("sub"))
                row = i;
        QVERIFY(row > 0);
        const QString folder = browser->clickedPath();
        WindowInput::click(browser, browser->rowRect(row - 1).center(), button);
        QCOMPARE(browser->clickedPath() != folder, navigates);
        QCOMPARE(f.window->Dr->text() == f.dir.path() + QStringLiteral("sub"), navigates);
        QCOMPARE(f.session->FileLast, navigates ? 0 : 1);
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

    void folderPanelOpensAndCloses()
    {
        Fixture f(2);
        for (int i = 0; i < 40; ++i)
            QVERIFY(QDir(f.dir.path()).mkdir(QStringLiteral("sub%1").arg(i)));
        WindowInput::click(f.window->Command4);
        QVERIFY(f.window->DriveBorder->isVisible());
        WindowInput::click(f.window->Command4);
        QVERIFY(!f.window->DriveBorder->isVisible());
        // Open by a click on the path box: the browser takes the focus, the
        // panel stays open while its own scroll bar is used; a click on
        // "Select" then closes the panel once and does not reopen it.
        WindowInput::click(f.window->Dr);
        QVERIFY(f.window->DriveBorder->isVisible());
        QTRY_VERIFY(f.window->dirList->hasFocus());
        ScrollBar* bar = f.window->dirList->scrollBar();
        WindowInput::click(bar, QPoint(bar->width() / 2, bar->height() * 3 / 4));
        QTRY_VERIFY(bar->value() > 0);
        QVERIFY(f.window->DriveBorder->isVisible());
        f.window->Command4->setFocus();
        QTRY_VERIFY(!f.window->DriveBorder->isVisible());
        QTest::mouseClick(f.window->Command4, Qt::LeftButton);
        QVERIFY(!f.window->DriveBorder->isVisible());
    }

    void savesTheListingThroughTheDialog()
    {
        Fixture f(3);
        SaveListingDialog::setNextAnswer([](SaveListingDialog& dialog) {
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
        QCOMPARE(f.window->FileListView1->width(), f.window->twipsX(15255));
        QCOMPARE(f.window->Dr->width(), f.window->twipsX(11991));
    }

    // The content-search prompt fits a 1024 x 768 screen; messages are plain.
    void promptsFitAndArePlain()
    {
        QWidget owner;
        QtPrompter prompter;
        prompter.setParent(&owner);
        QSize inputSize;
        QMessageBox::Icon icon = QMessageBox::Warning;
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            box->adjustSize();
            inputSize = box->frameGeometry().size();
            static_cast<QDialog*>(box)->reject();
        });
        QVERIFY(!prompter.input(FileSearch::contentPrompt(), QStringLiteral("Quillon"), {}));
        QVERIFY(inputSize.width() <= 1000 && inputSize.height() <= 700);
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            icon = box->icon();
            box->accept();
        });
        prompter.message(QStringLiteral("Renaming Completed"));
        QCOMPARE(icon, QMessageBox::NoIcon);
    }

    // At every window size from the minimum nothing in the window overlaps
    // anything else or the caption line of its frame, and the open calendar
    // shows whole.
    void wholeAtEverySize_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("minimum") << QSize(200, 100);
        QTest::newRow("designed") << QSize();
        QTest::newRow("large") << QSize(1600, 1200);
    }
    void wholeAtEverySize()
    {
        QFETCH(QSize, size);
        Fixture f(3);
        if (size.isValid())
            f.window->resize(size);
        QTest::qWait(0);
        const QList<QWidget*> parts = {f.window->FileListView1, f.window->Attributes,
                                       f.window->Frame1, f.window->Frame2, f.window->Command1};
        for (QWidget* frame : parts) {
            QVERIFY(f.window->centralWidget()->rect().contains(frame->geometry()));
            for (QWidget* other : parts)
                QVERIFY(frame == other || !frame->geometry().intersects(other->geometry()));
            auto* box = qobject_cast<QGroupBox*>(frame);
            if (!box)
                continue;
            QStyleOptionGroupBox option;
            option.initFrom(box);
            option.text = box->title();
            option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
            const QRect inside = box->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                              QStyle::SC_GroupBoxContents, box);
            const QList<QWidget*> children =
                box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
            for (QWidget* c : children) {
                if (!c->isVisible() || qobject_cast<QLabel*>(c))
                    continue;
                QVERIFY2(inside.contains(c->geometry()), qPrintable(c->toolTip()));
                for (QWidget* d : children)
                    QVERIFY2(c == d || !d->isVisible() || !c->geometry().intersects(d->geometry()),
                             qPrintable(c->toolTip() + QStringLiteral(" / ") + d->toolTip()));
            }
        }
        DatePicker* calendar = f.window->FileListView1->datePicker(1);
        WindowInput::click(calendar, QPoint(5, 5));
        QTRY_VERIFY(calendar->isOpen());
        for (QWidget* part : QList<QWidget*>{calendar, calendar->dayButton(41)})
            QCOMPARE(part->visibleRegion().boundingRect(), part->rect());
        // A click elsewhere closes it, back in its place in the list.
        WindowInput::click(f.window->Frame1->R1[0]);
        QTRY_VERIFY(!calendar->isOpen() && !calendar->isWindow());
        QTest::qWait(50);
        QVERIFY(!calendar->isOpen() && calendar->isVisible());
        QCOMPARE(calendar->size(), calendar->closedSize());
    }

    // A double click opens the listed file, wherever the current folder went.
    void previewTakesTheListedFolder()
    {
        Fixture f(0);
        QImage picture(8, 8, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QVERIFY(picture.save(f.dir.path() + QStringLiteral("red.jpg")));
        WindowInput::click(f.window->Combo1->lineEdit());
        WindowInput::key(f.w(), Qt::Key_Return);
        QCOMPARE(f.session->FileLast, 0);
        TempFolder elsewhere;
        f.fs.setCurrentFolder(elsewhere.path()); // as the save dialog leaves it
        FileListView* list = f.window->FileListView1;
        WindowInput::doubleClick(
            list, QPoint(list->width() / 2, list->headerHeight() + list->rowHeight() / 2 + 2));
        const auto shownPreview = [] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (auto* preview = qobject_cast<PicturePreview*>(top);
                    preview && preview->isVisible())
                    return preview;
            return static_cast<PicturePreview*>(nullptr);
        };
        QTRY_VERIFY(shownPreview());
        PicturePreview* shown = shownPreview();
        QVERIFY(!shown->isEmptyPreview());
        shown->close();
    }
};

QTEST_MAIN(TestMainWindow)
#include "TestMainWindow.moc"
