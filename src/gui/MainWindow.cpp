#include "MainWindow.h"

#include "AttributesFrame.h"
#include "BatchFrame.h"
#include "FormParts.h"
#include "PicturePreview.h"
#include "QtPrompter.h"
#include "RenamingFrame.h"

#include "app/FileDates.h"
#include "app/FileSearch.h"
#include "app/NewNameClipboard.h"
#include "app/RenamePass.h"
#include "app/Session.h"
#include "app/Shredder.h"
#include "controls/DatePicker.h"
#include "controls/FileListView.h"
#include "controls/FolderBrowser.h"
#include "controls/ScrollBar.h"
#include "controls/Twips.h"
#include "gui/QtClipboard.h"
#include "gui/QtListingPrinter.h"
#include "gui/SaveListingDialog.h"
#include "output/ListingCopy.h"
#include "output/ListingSource.h"
#include "platform/PropertyBag.h"

#include "controls/RenderedButton.h"
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QTimer>
#include <QUrl>

namespace
{

// Design sizes, in twips.
constexpr int InnerWidth = 15135;
constexpr int InnerHeight = 7950;
constexpr int MinOuterWidth = 15375;
constexpr int MinOuterHeight = 4700;
constexpr int ListTop = 855;
constexpr int Frame1Left = 2160;
constexpr int Frame1Width = 10845;
constexpr int Frame1Height = 1230;
constexpr int Command1Width = 1950;

// The maker's page. Quillon has no public site yet; this reserved address
// stands until one exists.
const char* const MakerPage = "https://quillon.example/";

} // namespace

MainWindow::MainWindow(Session& session, QWidget* parent)
    : QMainWindow(parent), m_session(session), m_rename(new RenamePass(session, this)),
      m_search(new FileSearch(session, this)), m_shredder(new Shredder(session, this)),
      m_clipboard(nullptr)
{
    setWindowTitle(QStringLiteral("Quillon"));
    QFont arial(QStringLiteral("Arial"));
    arial.setPointSize(8);
    setFont(arial);
    buildControls();
    buildMenus();
    connectRenaming();
    connectFileOperations();
    connectListing();
    Dr->setText(m_session.Dr);
    centralWidget()->setFixedSize(twipsX(InnerWidth), twipsY(InnerHeight));
    adjustSize();
    centralWidget()->setMinimumSize(0, 0);
    centralWidget()->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

int MainWindow::twipsX(int twips) const
{
    return Twips::toPixelsX(twips, this);
}

int MainWindow::twipsY(int twips) const
{
    return Twips::toPixelsY(twips, this);
}

int MainWindow::pixelsToTwipsX(int pixels) const
{
    return Twips::roundEven(Twips::fromPixelsX(pixels, this));
}

int MainWindow::pixelsToTwipsY(int pixels) const
{
    return Twips::roundEven(Twips::fromPixelsY(pixels, this));
}

void MainWindow::place(QWidget* w, int left, int top, int width, int height)
{
    w->setGeometry(twipsX(left), twipsY(top), twipsX(width), twipsY(height));
}

void MainWindow::placeLabel(QLabel* label, int left, int top)
{
    label->adjustSize();
    label->move(twipsX(left), twipsY(top));
}

void MainWindow::buildControls()
{
    auto* inner = new QWidget(this);
    setCentralWidget(inner);
    buildPathFrame(inner);
    setUpList(inner);
    Attributes = new AttributesFrame(inner);
    Attributes->setTitle(QStringLiteral("Set Attributes :"));
    FormParts::styleFrame(Attributes);
    place(Attributes, 90, 5490, 2025, 1995);
    Frame1 = new RenamingFrame(m_session, inner);
    Frame1->setTitle(QStringLiteral("Generate New Filenames  :"));
    FormParts::styleFrame(Frame1);
    place(Frame1, Frame1Left, 5490, Frame1Width, Frame1Height);
    Frame2 = new BatchFrame(
        m_session, [this] { return Attributes->choice().batchValue(); }, inner);
    Frame2->setTitle(QStringLiteral("Batch Command Line :"));
    FormParts::styleFrame(Frame2);
    place(Frame2, Frame1Left, 6750, Frame1Width, 780);
    Command1 = FormParts::command(inner, QStringLiteral("Start Rename"),
                                  QStringLiteral("Start renaming..."));
    place(Command1, 13095, 6885, Command1Width, 600);
    RemN = new QLabel(inner);
    RemN->setStyleSheet(QStringLiteral("color: rgb(0, 64, 0);"));
    placeLabel(RemN, 13995, 6570);
    DriveBorder->raise();
}

// The list with the window's design values, its column captions and kinds,
// and five data columns shown.
void MainWindow::setUpList(QWidget* inner)
{
    FileListView1 = new FileListView(inner);
    PropertyBag design;
    FileListLook::mainWindowDesign(design);
    FileListView1->readProperties(design);
    FileListView1->setModel(&m_session.model());
    FileListView1->setToolTip(QStringLiteral("Double click to open file..."));
    place(FileListView1, 90, ListTop, 11760, 4635);
    FileListView1->setShownColumns(5);
    connectListView();
}

void MainWindow::buildPathFrame(QWidget* inner)
{
    Frame3 = FormParts::frame(inner, QStringLiteral("Drive / Directory :"));
    place(Frame3, 90, 45, 9270, 750);
    Dr = new QLineEdit(inner);
    Dr->setToolTip(QStringLiteral("Select Source Directory..."));
    // Read-only: it takes no typing, and leaves Ctrl+Z to the window's undo.
    Dr->setReadOnly(true);
    Dr->installEventFilter(this);
    place(Dr, 225, 315, 6810, 405);
    Combo1 = FormParts::editableBox(
        inner, QStringLiteral("*.*"),
        {QStringLiteral("*.*"), QStringLiteral("*.JPG"), QStringLiteral("*.PNG"),
         QStringLiteral("*.GIF"), QStringLiteral("*.TXT"), QStringLiteral("*.DOC"),
         QStringLiteral("*.OCX"), QStringLiteral("*.DLL"), QStringLiteral("*.ZIP"),
         QStringLiteral("*.RAR"), QStringLiteral("*.HTM"), QStringLiteral("*.MP3")},
        QStringLiteral("Selected File Type..."));
    Combo1->installEventFilter(this);
    Combo1->lineEdit()->installEventFilter(this);
    place(Combo1, 7065, 315, 1065, 390);
    connect(Combo1, qOverload<int>(&QComboBox::activated), this, [this](int index) {
        Combo1->setEditText(Combo1->itemText(index));
        applyFilterFromBox();
    });
    connect(Combo1->lineEdit(), &QLineEdit::returnPressed, this, &MainWindow::applyFilterFromBox);
    Command4 = FormParts::command(inner, QStringLiteral("Select"),
                                  QStringLiteral("Choose and Select File Directory...."));
    place(Command4, 8190, 315, 1005, 375);
    connect(Command4, &RenderedButton::clicked, this, &MainWindow::togglePanel);
    DriveBorder = new QFrame(inner);
    DriveBorder->setAutoFillBackground(true);
    DriveBorder->setPalette(QPalette(Qt::white));
    DriveBorder->setFrameShape(QFrame::Box);
    place(DriveBorder, 225, 720, 6945, 4005);
    DriveBorder->hide();
    dirList = new FolderBrowser(DriveBorder);
    place(dirList, 60, 0, 6135, 3975);
    dirList->installEventFilter(this);
    dirList->scrollBar()->installEventFilter(this);
    DriveBorder->installEventFilter(this);
    connect(dirList, &FolderBrowser::clicked, this, &MainWindow::folderChosen);
}

void MainWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    Undo_Rename = file->addAction(QStringLiteral("Undo Renaming..."));
    Undo_Rename->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
    Undo_Rename->setEnabled(false);
    file->addSeparator();
    CopyDir = file->addAction(QStringLiteral("Copy Directory..."));
    SaveSc = file->addAction(QStringLiteral("Save Directory..."));
    PrintC = file->addAction(QStringLiteral("&Print Directory..."));
    file->addSeparator();
    // Ctrl+C and Ctrl+V belong to the window, but a focused text field takes
    // its own copy and paste first (Qt lets an editor override shortcuts it
    // handles), so typing in a box is never hijacked.
    CDfn[0] = file->addAction(QStringLiteral("Copy New Filenames..."));
    CDfn[0]->setShortcut(QKeySequence(QStringLiteral("Ctrl+C")));
    CDfn[1] = file->addAction(QStringLiteral("Paste New Filenames..."));
    CDfn[1]->setShortcut(QKeySequence(QStringLiteral("Ctrl+V")));
    ExitNow = file->addAction(QStringLiteral("E&xit..."));
    connect(ExitNow, &QAction::triggered, qApp, &QApplication::quit);

    QMenu* search = menuBar()->addMenu(QStringLiteral("Search"));
    FindInFile[0] = search->addAction(QStringLiteral("Search Source Filenames..."));
    FindInFile[1] = search->addAction(QStringLiteral("Search Inside Each Source File..."));

    QMenu* shredder = menuBar()->addMenu(QStringLiteral("Shredder"));
    ShredOne = shredder->addAction(QString());
    ShredOne->setVisible(false);
    ShredALL = shredder->addMenu(QStringLiteral("Shred ALL FILES in Current Directory..."));
    AreSure = ShredALL->addAction(QStringLiteral("Are you sure ?"));

    QMenu* about = menuBar()->addMenu(QStringLiteral("&About"));
    const char* const lines[] = {
        "Rename and set attributes of up to 1,000,000 files at once.",
        nullptr,
        "Remember : Long filenames will fragment the file table, this will slow down the renaming "
        "process due ",
        "to relocation of large filenames in the file table. DEFRAG the hard disk afterwards will "
        "greatly increase ",
        "the speed of file access...",
    };
    for (const char* line : lines) {
        if (!line) {
            about->addSeparator();
            continue;
        }
        about->addAction(QString::fromLatin1(line))->setEnabled(false);
    }
    about->addSeparator();
    qe = about->addAction(QStringLiteral("Vellosoft Web Site..."));
    connect(qe, &QAction::triggered, this,
            [] { QDesktopServices::openUrl(QUrl(QString::fromLatin1(MakerPage))); });
}

bool MainWindow::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate && !m_activated)
        firstActivation();
    if (e->type() == QEvent::FocusIn)
        DriveBorder->hide();
    return QMainWindow::event(e);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == Dr) {
        if (e->type() == QEvent::MouseButtonRelease) {
            togglePanel();
            if (DriveBorder->isVisible())
                dirList->setFocus();
        }
    } else if ((watched == dirList || watched == dirList->scrollBar()) &&
               e->type() == QEvent::FocusOut && QApplication::focusWidget() != dirList &&
               !dirList->isAncestorOf(QApplication::focusWidget())) {
        // The focus going into the browser's own scroll bar stays in the panel.
        DriveBorder->hide();
        m_panelJustClosed = true;
    } else if (watched == DriveBorder && e->type() == QEvent::Resize) {
        // The browser fills the panel but for a hair on the right.
        dirList->resize(DriveBorder->contentsRect().width() - twipsX(4) - dirList->x(),
                        dirList->height());
    } else if ((watched == Combo1 || watched == Combo1->lineEdit()) &&
               e->type() == QEvent::FocusIn) {
        DriveBorder->hide();
    }
    return QMainWindow::eventFilter(watched, e);
}

void MainWindow::firstActivation()
{
    m_activated = true;
    syncInputsToSession();
    m_session.ListRefresh();
}

void MainWindow::syncInputsToSession()
{
    m_session.Dr = Dr->text();
    Frame1->syncToSession();
}

void MainWindow::connectRenaming()
{
    connect(Command1, &RenderedButton::clicked, this, [this] {
        syncInputsToSession();
        m_rename->Command1_Click(Attributes->choice().renameValue());
    });
    connect(m_rename, &RenamePass::status, this,
            [this](const QString& text) { showStatus(text, true); });
    connect(m_rename, &RenamePass::runningChanged, Command1,
            [this](bool running) { Command1->setEnabled(!running); });
    connect(m_rename, &RenamePass::typeBoxText, Combo1, &QComboBox::setEditText);
    connect(Undo_Rename, &QAction::triggered, this, [this] {
        syncInputsToSession();
        m_rename->Undo_Rename_Click();
    });
    connect(&m_session, &Session::undoEnabledChanged, Undo_Rename, &QAction::setEnabled);
    for (int i = 0; i < 2; ++i) {
        connect(CDfn[i], &QAction::triggered, this, [this, i] {
            static QtClipboard systemClipboard;
            NewNameClipboard::CDfn_Click(i, m_session,
                                         m_clipboard ? *m_clipboard : systemClipboard);
        });
    }
}

// The listing to the clipboard and to the printer.
void MainWindow::connectListing()
{
    connect(CopyDir, &QAction::triggered, this, [this] {
        ListingCopy::CopyDir(m_session.model(), m_session.FileLast, m_session.prompter(),
                             clipboard());
    });
    connect(SaveSc, &QAction::triggered, this, [this] {
        SaveListingDialog::SaveSource(listing(), m_session.prompter(), this, m_session.fs());
    });
    connect(PrintC, &QAction::triggered, this, [this] {
        m_session.prompter().setBusy(true);
        QtListingPrinter::PrintSource(listing(), m_session.prompter(), m_session.fs());
        m_session.prompter().setBusy(false);
    });
}

ListingSource MainWindow::listing() const
{
    return ListingSource{m_session.model(), m_session.FileLast, m_session.FolderPath, Dr->text()};
}

Clipboard& MainWindow::clipboard()
{
    static QtClipboard systemClipboard;
    return m_clipboard ? *m_clipboard : systemClipboard;
}

// The Search and Shredder menus and the list's click, which names the file
// the "Shred File... " entry would shred.
void MainWindow::connectFileOperations()
{
    for (int i = 0; i < 2; ++i) {
        connect(FindInFile[i], &QAction::triggered, this, [this, i] {
            syncInputsToSession();
            m_search->FindInFile(i, windowTitle());
        });
    }
    connect(FileListView1, &FileListView::doubleClicked, this, [this] {
        // From the listed folder: the save dialog may have moved the current one.
        PicturePreview::OpenListedFile(
            m_session.FolderPath + m_session.model().SourceName(m_session.model().GetArrayItem()),
            this);
    });
    connect(m_search, &FileSearch::captionChanged, this, &QWidget::setWindowTitle);
    connect(FileListView1, &FileListView::clicked, this,
            [this] { m_shredder->rowClicked(m_session.model().GetArrayItem()); });
    connect(m_shredder, &Shredder::ShredOneChanged, this,
            [this](const QString& caption, bool visible) {
                ShredOne->setText(caption);
                ShredOne->setVisible(visible);
            });
    connect(m_shredder, &Shredder::RemNChanged, this,
            [this](const QString& text) { showStatus(text, false); });
    connect(ShredOne, &QAction::triggered, this, [this] {
        syncInputsToSession();
        m_shredder->ShredOne();
    });
    connect(AreSure, &QAction::triggered, this, [this] {
        syncInputsToSession();
        m_shredder->AreSure();
    });
}

// RemN: the rename pass puts its right edge 10 twips left of the list's
// right edge; other texts stand at its designed place.
void MainWindow::showStatus(const QString& text, bool rightAligned)
{
    RemN->setText(text);
    RemN->adjustSize();
    int left = Frame1Left + Frame1Width + 24;
    if (rightAligned) {
        const int listRight = pixelsToTwipsX(FileListView1->geometry().right() + 1);
        left = listRight - (pixelsToTwipsX(RemN->width()) + 10);
    }
    RemN->move(twipsX(left), RemN->y());
}

void MainWindow::applyFilterFromBox()
{
    syncInputsToSession();
    m_session.applyFilter(Combo1->currentText());
}

void MainWindow::togglePanel()
{
    m_session.setUndoEnabled(false);
    if (!m_panelJustClosed) {
        if (!DriveBorder->isVisible())
            dirList->relist(); // the panel opens on the folder the program is in
        DriveBorder->setVisible(!DriveBorder->isVisible());
    }
    m_panelJustClosed = false;
}

// A folder chosen in the browser becomes the listed folder.
void MainWindow::folderChosen()
{
    const QString path = dirList->selectedPath();
    if (!path.isEmpty())
        Dr->setText(path);
    m_session.setUndoEnabled(false);
    syncInputsToSession();
    m_session.ListRefresh();
}

void MainWindow::showEvent(QShowEvent* e)
{
    QMainWindow::showEvent(e);
    // Without a window manager no activation may ever come; the first
    // showing then stands in for it. Either way the scan runs once.
    QTimer::singleShot(0, this, [this] {
        if (!m_activated)
            firstActivation();
    });
}

void MainWindow::resizeEvent(QResizeEvent* e)
{
    QMainWindow::resizeEvent(e);
    if (isMinimized())
        return; // nothing moves while minimised
    layoutForSize();
}

// Follows the size of the window's inner area (below the menu bar), never
// below 15375 × 4700 twips. The designed steps leave a margin of 30 to 135
// twips around the controls when measured on the inner area, which is what
// keeps every control inside the window here, with or without a window frame.
void MainWindow::layoutForSize()
{
    QWidget* inner = centralWidget();
    int W = pixelsToTwipsX(inner->width());
    int H = pixelsToTwipsY(inner->height());
    if (W < MinOuterWidth || H < MinOuterHeight) {
        const int growX = qMax(0, twipsX(MinOuterWidth) - inner->width());
        const int growY = qMax(0, twipsY(MinOuterHeight) - inner->height());
        resize(width() + growX, height() + growY);
        W = qMax(W, MinOuterWidth);
        H = qMax(H, MinOuterHeight);
    }
    const int listHeight = H - 3100;
    FileListView1->setGeometry(twipsX(90), twipsY(ListTop), twipsX(W - 120), twipsY(listHeight));
    const int frame3Width = W - 960;
    Frame3->resize(twipsX(frame3Width), Frame3->height());
    const int drWidth = frame3Width - 2424;
    Dr->resize(twipsX(drWidth), Dr->height());
    const int comboLeft = 225 + drWidth + 84;
    Combo1->move(twipsX(comboLeft), Combo1->y());
    Command4->move(twipsX(comboLeft + 1065 + 36), Command4->y());
    DriveBorder->resize(twipsX(drWidth), DriveBorder->height());
    const int attributesTop = ListTop + listHeight + 80;
    Attributes->move(Attributes->x(), twipsY(attributesTop));
    Frame1->move(Frame1->x(), twipsY(attributesTop));
    Command1->move(twipsX(W - (Command1Width + 48)), twipsY(attributesTop + Frame1Height + 120));
    Frame2->move(Frame2->x(), twipsY(attributesTop + Frame1Height + 20));
    RemN->move(twipsX(Frame1Left + Frame1Width + 24), twipsY(ListTop + listHeight + 24));
}

void MainWindow::closeEvent(QCloseEvent* e)
{
    QMainWindow::closeEvent(e);
    qApp->quit(); // closing the window ends the program, other windows included
}

// A header click sorts the session's list by that column (the list view shows
// the wait pointer meanwhile); a picked date becomes the pending date of every
// file, and the picker shows the date as read back.
void MainWindow::connectListView()
{
    connect(FileListView1, &FileListView::headerClicked, this,
            [this](int column) { m_session.sorter().SortButton_Click(m_session.model(), column); });
    connect(FileListView1, &FileListView::datePicked, this,
            [this](int picker, const QString& text, const QDateTime& date) {
                const QDateTime shown = picker == 0
                                            ? FileDates::CalanderChange1(m_session, text, date)
                                            : FileDates::CalanderChange2(m_session, text, date);
                FileListView1->datePicker(picker)->setTheDate(shown);
            });
}
