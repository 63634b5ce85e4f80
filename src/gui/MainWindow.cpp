// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindow.h"

#include "AttributesFrame.h"
#include "BatchFrame.h"
#include "FormParts.h"
#include "NamesPanel.h"
#include "PicturePreview.h"
#include "QtPrompter.h"
#include "RenamingFrame.h"
#include "SlotGuard.h"

#include "app/FileDates.h"
#include "app/FileSearch.h"
#include "app/NamingOrder.h"
#include "app/NewNameClipboard.h"
#include "app/RenamePass.h"
#include "app/Session.h"
#include "app/Shredder.h"
#include "controls/DatePicker.h"
#include "controls/FileListView.h"
#include "controls/FolderBrowser.h"
#include "controls/ScrollBar.h"
#include "controls/Twips.h"
#include "filelist/ListColumns.h"
#include "filelist/NameCollisions.h"
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
// The smallest inner area: the designed width, so the window with its frame
// fits a screen 1024 pixels wide (1009 pixels at 96 DPI).
constexpr int MinInnerWidth = InnerWidth;
constexpr int MinInnerHeight = 4700;
constexpr int ListTop = 855;
constexpr int Frame1Left = 2160;
constexpr int Frame1Width = 10845;
constexpr int Frame1Height = 1230;
constexpr int Command1Width = 1950;

// Lists of this many files get their names after the window shows.
constexpr int BackgroundNamesFrom = 10000;

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
    m_session.setBackgroundNamesFrom(BackgroundNamesFrom);
    QFont arial(QStringLiteral("Arial"));
    arial.setPointSize(8);
    setFont(arial);
    buildControls();
    buildMenus();
    connectRenaming();
    connectFileOperations();
    connectListing();
    nameControls();
    folderBox->setText(m_session.folder());
    connect(folderBox, &QLineEdit::textChanged, &m_session, &Session::setFolder);
    // A filter that matches nothing says so where the list would show rows.
    connect(&m_session, &Session::scanned, this, [this] {
        fileList->setColumnCaption(3, ListColumns::caption(3));
        if (m_session.noFilesMatch())
            showStatus(Session::noFilesMatchText(), false);
        else if (statusLabel->text() == Session::noFilesMatchText())
            showStatus(QString(), false);
    });
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

// Object names in the words of the members, for tests and accessibility.
void MainWindow::nameControls()
{
    const std::pair<QObject*, const char*> names[] = {
        {folderFrame, "folderFrame"},
        {folderBox, "folderBox"},
        {typeFilterBox, "typeFilterBox"},
        {selectFolderButton, "selectFolderButton"},
        {folderPanel, "folderPanel"},
        {folderBrowser, "folderBrowser"},
        {fileList, "fileList"},
        {attributesFrame, "attributesFrame"},
        {renamingFrame, "renamingFrame"},
        {batchFrame, "batchFrame"},
        {startRenameButton, "startRenameButton"},
        {statusLabel, "statusLabel"},
        {undoRenameAction, "undoRenameAction"},
        {copyListingAction, "copyListingAction"},
        {saveListingAction, "saveListingAction"},
        {printListingAction, "printListingAction"},
        {copyNewNamesAction, "copyNewNamesAction"},
        {pasteNewNamesAction, "pasteNewNamesAction"},
        {exitAction, "exitAction"},
        {searchNamesAction, "searchNamesAction"},
        {searchContentsAction, "searchContentsAction"},
        {namesMenu, "namesMenu"},
        {namesPanelAction, "namesPanelAction"},
        {naturalOrderAction, "naturalOrderAction"},
        {allowSwapsAction, "allowSwapsAction"},
        {shredFileAction, "shredFileAction"},
        {shredAllMenu, "shredAllMenu"},
        {confirmShredAllAction, "confirmShredAllAction"},
        {makerPageAction, "makerPageAction"},
    };
    for (const auto& [object, name] : names)
        object->setObjectName(QLatin1String(name));
}

// Names still being made are waited for first: every operation then sees
// the proposals the list shows.
void MainWindow::guarded(const std::function<void()>& work)
{
    SlotGuard::run(m_session.prompter(), [this, &work] {
        m_session.awaitNames();
        work();
    });
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
    attributesFrame = new AttributesFrame(inner);
    attributesFrame->setTitle(QStringLiteral("Set Attributes :"));
    FormParts::styleFrame(attributesFrame);
    place(attributesFrame, 90, 5490, 2025, 1995);
    renamingFrame = new RenamingFrame(m_session, inner);
    renamingFrame->setTitle(QStringLiteral("Generate New Filenames  :"));
    FormParts::styleFrame(renamingFrame);
    place(renamingFrame, Frame1Left, 5490, Frame1Width, Frame1Height);
    batchFrame = new BatchFrame(
        m_session, [this] { return attributesFrame->choice().batchValue(); }, inner);
    batchFrame->setTitle(QStringLiteral("Batch Command Line :"));
    FormParts::styleFrame(batchFrame);
    place(batchFrame, Frame1Left, 6750, Frame1Width, 780);
    startRenameButton = FormParts::command(inner, QStringLiteral("Start Rename"),
                                           QStringLiteral("Start renaming..."));
    place(startRenameButton, 13095, 6885, Command1Width, 600);
    statusLabel = new QLabel(inner);
    statusLabel->setStyleSheet(QStringLiteral("color: rgb(0, 64, 0);"));
    placeLabel(statusLabel, 13995, 6570);
    folderPanel->raise();
}

// The list with the window's design values, its column captions and kinds,
// and five data columns shown.
void MainWindow::setUpList(QWidget* inner)
{
    fileList = new FileListView(inner);
    PropertyBag design;
    FileListLook::mainWindowDesign(design);
    fileList->readProperties(design);
    fileList->setModel(&m_session.model());
    fileList->setToolTip(QStringLiteral("Double click to open file..."));
    place(fileList, 90, ListTop, 11760, 4635);
    fileList->setShownColumns(5);
    connectListView();
}

void MainWindow::buildPathFrame(QWidget* inner)
{
    folderFrame = FormParts::frame(inner, QStringLiteral("Drive / Directory :"));
    place(folderFrame, 90, 45, 9270, 750);
    folderBox = new QLineEdit(inner);
    folderBox->setToolTip(QStringLiteral("Select Source Directory..."));
    // Read-only: it takes no typing, and leaves Ctrl+Z to the window's undo.
    folderBox->setReadOnly(true);
    folderBox->installEventFilter(this);
    place(folderBox, 225, 315, 6810, 405);
    typeFilterBox = FormParts::editableBox(
        inner, QStringLiteral("*.*"),
        {QStringLiteral("*.*"), QStringLiteral("*.JPG"), QStringLiteral("*.PNG"),
         QStringLiteral("*.GIF"), QStringLiteral("*.TXT"), QStringLiteral("*.DOC"),
         QStringLiteral("*.OCX"), QStringLiteral("*.DLL"), QStringLiteral("*.ZIP"),
         QStringLiteral("*.RAR"), QStringLiteral("*.HTM"), QStringLiteral("*.MP3")},
        QStringLiteral("Selected File Type..."));
    typeFilterBox->installEventFilter(this);
    typeFilterBox->lineEdit()->installEventFilter(this);
    place(typeFilterBox, 7065, 315, 1065, 390);
    connect(typeFilterBox, qOverload<int>(&QComboBox::activated), this, [this](int index) {
        typeFilterBox->setEditText(typeFilterBox->itemText(index));
        applyFilterFromBox();
    });
    connect(typeFilterBox->lineEdit(), &QLineEdit::returnPressed, this,
            &MainWindow::applyFilterFromBox);
    selectFolderButton = FormParts::command(inner, QStringLiteral("Select"),
                                            QStringLiteral("Choose and Select File Directory...."));
    place(selectFolderButton, 8190, 315, 1005, 375);
    connect(selectFolderButton, &RenderedButton::clicked, this, &MainWindow::togglePanel);
    folderPanel = new QFrame(inner);
    folderPanel->setAutoFillBackground(true);
    folderPanel->setPalette(QPalette(Qt::white));
    folderPanel->setFrameShape(QFrame::Box);
    place(folderPanel, 225, 720, 6945, 4005);
    folderPanel->hide();
    folderBrowser = new FolderBrowser(m_session.fs(), folderPanel);
    place(folderBrowser, 60, 0, 6135, 3975);
    folderBrowser->installEventFilter(this);
    folderBrowser->scrollBar()->installEventFilter(this);
    folderPanel->installEventFilter(this);
    connect(folderBrowser, &FolderBrowser::clicked, this, &MainWindow::folderChosen);
}

void MainWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    undoRenameAction = file->addAction(QStringLiteral("Undo Renaming..."));
    undoRenameAction->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
    undoRenameAction->setEnabled(false);
    file->addSeparator();
    copyListingAction = file->addAction(QStringLiteral("Copy Directory..."));
    saveListingAction = file->addAction(QStringLiteral("Save Directory..."));
    printListingAction = file->addAction(QStringLiteral("&Print Directory..."));
    file->addSeparator();
    // Ctrl+C and Ctrl+V belong to the window, but a focused text field takes
    // its own copy and paste first (Qt lets an editor override shortcuts it
    // handles), so typing in a box is never hijacked.
    copyNewNamesAction = file->addAction(QStringLiteral("Copy New Filenames..."));
    copyNewNamesAction->setShortcut(QKeySequence(QStringLiteral("Ctrl+C")));
    pasteNewNamesAction = file->addAction(QStringLiteral("Paste New Filenames..."));
    pasteNewNamesAction->setShortcut(QKeySequence(QStringLiteral("Ctrl+V")));
    exitAction = file->addAction(QStringLiteral("E&xit..."));
    connect(exitAction, &QAction::triggered, qApp, &QApplication::quit);

    QMenu* search = menuBar()->addMenu(QStringLiteral("Search"));
    searchNamesAction = search->addAction(QStringLiteral("Search Source Filenames..."));
    searchContentsAction = search->addAction(QStringLiteral("Search Inside Each Source File..."));

    buildNamesMenu();

    QMenu* shredder = menuBar()->addMenu(QStringLiteral("Shredder"));
    shredFileAction = shredder->addAction(QString());
    shredFileAction->setVisible(false);
    shredAllMenu = shredder->addMenu(QStringLiteral("Shred ALL FILES in Current Directory..."));
    confirmShredAllAction = shredAllMenu->addAction(QStringLiteral("Are you sure ?"));

    QMenu* about = menuBar()->addMenu(QStringLiteral("&About"));
    const char* const lines[] = {
        "Rename and set attributes of up to 1,000,001 files at once.",
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
    makerPageAction = about->addAction(QStringLiteral("Quillon Web Site..."));
    connect(makerPageAction, &QAction::triggered, this,
            [] { QDesktopServices::openUrl(QUrl(QString::fromLatin1(MakerPage))); });
}

bool MainWindow::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate && !m_activated)
        firstActivation();
    if (e->type() == QEvent::FocusIn)
        folderPanel->hide();
    return QMainWindow::event(e);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == folderBox) {
        if (e->type() == QEvent::MouseButtonRelease) {
            togglePanel();
            if (folderPanel->isVisible())
                folderBrowser->setFocus();
        }
    } else if ((watched == folderBrowser || watched == folderBrowser->scrollBar()) &&
               e->type() == QEvent::FocusOut && QApplication::focusWidget() != folderBrowser &&
               !folderBrowser->isAncestorOf(QApplication::focusWidget())) {
        // The focus going into the browser's own scroll bar stays in the panel.
        folderPanel->hide();
        m_panelJustClosed = true;
    } else if (watched == folderPanel && e->type() == QEvent::Resize) {
        // The browser fills the panel but for a hair on the right.
        folderBrowser->resize(folderPanel->contentsRect().width() - twipsX(4) - folderBrowser->x(),
                              folderBrowser->height());
    } else if ((watched == typeFilterBox || watched == typeFilterBox->lineEdit()) &&
               e->type() == QEvent::FocusIn) {
        folderPanel->hide();
    }
    return QMainWindow::eventFilter(watched, e);
}

void MainWindow::firstActivation()
{
    m_activated = true;
    scanFolder();
}

void MainWindow::scanFolder()
{
    guarded([this] { m_session.scanFolder(); });
}

void MainWindow::startRename()
{
    guarded([this] { m_rename->renameAndRescan(attributesFrame->choice().renameValue()); });
}

void MainWindow::buildNamesMenu()
{
    namesMenu = menuBar()->addMenu(QStringLiteral("Names"));
    namesPanelAction = namesMenu->addAction(QStringLiteral("Template and Expression..."));
    naturalOrderAction = namesMenu->addAction(QStringLiteral("Natural Order"));
    allowSwapsAction = namesMenu->addAction(QStringLiteral("Allow Swaps and Shifts"));
    allowSwapsAction->setCheckable(true);
    connect(namesPanelAction, &QAction::triggered, this, &MainWindow::openNamesPanel);
    connect(naturalOrderAction, &QAction::triggered, this, &MainWindow::sortNaturally);
    connect(allowSwapsAction, &QAction::toggled, &m_session, &Session::setSwapsAllowed);
}

void MainWindow::openNamesPanel()
{
    if (!namesPanel) {
        namesPanel = new NamesPanel(m_session, this);
        connect(namesPanel, &NamesPanel::renameRequested, this, &MainWindow::startRename);
    }
    namesPanel->show();
    namesPanel->raise();
    namesPanel->activateWindow();
}

// The current names in natural order, shown in the header as the sort of
// the name column until the next sort or listing.
void MainWindow::sortNaturally()
{
    guarded([this] {
        m_shredder->forgetFile(); // chosen in the order before
        NamingOrder::sortAgainAs(m_session, QStringLiteral("natural"));
        fileList->setColumnCaption(3, ListColumns::caption(3) + QStringLiteral(" (natural)"));
    });
}

void MainWindow::connectRenaming()
{
    connect(startRenameButton, &RenderedButton::clicked, this, &MainWindow::startRename);
    connect(m_rename, &RenamePass::status, this,
            [this](const QString& text) { showStatus(text, true); });
    connect(m_rename, &RenamePass::runningChanged, startRenameButton,
            [this](bool running) { startRenameButton->setEnabled(!running); });
    connect(m_rename, &RenamePass::typeBoxText, typeFilterBox, &QComboBox::setEditText);
    connect(undoRenameAction, &QAction::triggered, this,
            [this] { guarded([this] { m_rename->undoLastPass(); }); });
    connect(&m_session, &Session::undoEnabledChanged, undoRenameAction, &QAction::setEnabled);
    // The count of colliding proposals, except in the rescan that ends a pass,
    // whose own result stays readable.
    connect(&m_session, &Session::collisionsChanged, this, [this](int count) {
        if (m_rename->isRunning())
            return;
        if (count > 0)
            showStatus(NameCollisions::countText(count), true);
        else if (m_statusCountsCollisions)
            showStatus(QString(), true);
        m_statusCountsCollisions = count > 0;
    });
    QAction* const newNameActions[] = {copyNewNamesAction, pasteNewNamesAction};
    for (int i = 0; i < 2; ++i) {
        connect(newNameActions[i], &QAction::triggered, this, [this, i] {
            guarded([this, i] { NewNameClipboard::copyOrPaste(i, m_session, clipboard()); });
        });
    }
}

// The listing to the clipboard and to the printer.
void MainWindow::connectListing()
{
    connect(copyListingAction, &QAction::triggered, this, [this] {
        guarded([this] {
            ListingCopy::copyListing(m_session.model(), m_session.lastPosition(),
                                     m_session.prompter(), clipboard());
        });
    });
    connect(saveListingAction, &QAction::triggered, this, [this] {
        guarded([this] {
            SaveListingDialog::saveListing(listing(), m_session.prompter(), this, m_session.fs());
        });
    });
    connect(printListingAction, &QAction::triggered, this, [this] {
        guarded([this] {
            QtListingPrinter::printListing(listing(), m_session.prompter(), m_session.fs());
        });
    });
}

ListingSource MainWindow::listing() const
{
    return ListingSource{m_session.model(), m_session.lastPosition(), m_session.folderPath(),
                         folderBox->text()};
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
    QAction* const searchActions[] = {searchNamesAction, searchContentsAction};
    for (int i = 0; i < 2; ++i) {
        connect(searchActions[i], &QAction::triggered, this,
                [this, i] { guarded([this, i] { m_search->search(i, windowTitle()); }); });
    }
    connect(fileList, &FileListView::doubleClicked, this, [this] {
        // From the listed folder: the save dialog may have moved the current one.
        guarded([this] {
            PicturePreview::openListedFile(
                m_session.folderPath() +
                    m_session.model().currentNameAt(m_session.model().currentRow()),
                m_session.fs(), this);
        });
    });
    connect(m_search, &FileSearch::captionChanged, this, &QWidget::setWindowTitle);
    connect(fileList, &FileListView::clicked, this,
            [this] { m_shredder->rowClicked(m_session.model().currentRow()); });
    connect(m_shredder, &Shredder::shredEntryChanged, this,
            [this](const QString& caption, bool visible) {
                shredFileAction->setText(caption);
                shredFileAction->setVisible(visible);
            });
    connect(m_shredder, &Shredder::statusChanged, this,
            [this](const QString& text) { showStatus(text, false); });
    connect(shredFileAction, &QAction::triggered, this,
            [this] { guarded([this] { m_shredder->shredCurrentFile(); }); });
    connect(confirmShredAllAction, &QAction::triggered, this,
            [this] { guarded([this] { m_shredder->shredAllFiles(); }); });
}

// statusLabel: the rename pass puts its right edge 10 twips left of the list's
// right edge; other texts stand at its designed place.
void MainWindow::showStatus(const QString& text, bool rightAligned)
{
    m_statusCountsCollisions = false;
    statusLabel->setText(text);
    statusLabel->adjustSize();
    int left = Frame1Left + Frame1Width + 24;
    if (rightAligned) {
        const int listRight = pixelsToTwipsX(fileList->geometry().right() + 1);
        left = listRight - (pixelsToTwipsX(statusLabel->width()) + 10);
    }
    statusLabel->move(twipsX(left), statusLabel->y());
}

void MainWindow::applyFilterFromBox()
{
    guarded([this] { m_session.applyFilter(typeFilterBox->currentText()); });
}

void MainWindow::togglePanel()
{
    m_session.setUndoEnabled(false);
    if (!m_panelJustClosed) {
        if (!folderPanel->isVisible())
            folderBrowser->relist(); // the panel opens on the folder the program is in
        folderPanel->setVisible(!folderPanel->isVisible());
    }
    m_panelJustClosed = false;
}

// A folder chosen in the browser becomes the listed folder.
void MainWindow::folderChosen()
{
    const QString path = folderBrowser->selectedPath();
    if (!path.isEmpty())
        folderBox->setText(path);
    m_session.setUndoEnabled(false);
    scanFolder();
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
// below 15135 × 4700 twips. The designed steps leave a margin of 30 to 135
// twips around the controls when measured on the inner area, which is what
// keeps every control inside the window here, with or without a window frame.
void MainWindow::layoutForSize()
{
    QWidget* inner = centralWidget();
    int W = pixelsToTwipsX(inner->width());
    int H = pixelsToTwipsY(inner->height());
    if (W < MinInnerWidth || H < MinInnerHeight) {
        const int growX = qMax(0, twipsX(MinInnerWidth) - inner->width());
        const int growY = qMax(0, twipsY(MinInnerHeight) - inner->height());
        resize(width() + growX, height() + growY);
        W = qMax(W, MinInnerWidth);
        H = qMax(H, MinInnerHeight);
    }
    const int listHeight = H - 3100;
    fileList->setGeometry(twipsX(90), twipsY(ListTop), twipsX(W - 120), twipsY(listHeight));
    const int frame3Width = W - 960;
    folderFrame->resize(twipsX(frame3Width), folderFrame->height());
    const int drWidth = frame3Width - 2424;
    folderBox->resize(twipsX(drWidth), folderBox->height());
    const int comboLeft = 225 + drWidth + 84;
    typeFilterBox->move(twipsX(comboLeft), typeFilterBox->y());
    selectFolderButton->move(twipsX(comboLeft + 1065 + 36), selectFolderButton->y());
    folderPanel->resize(twipsX(drWidth), folderPanel->height());
    const int attributesTop = ListTop + listHeight + 80;
    attributesFrame->move(attributesFrame->x(), twipsY(attributesTop));
    renamingFrame->move(renamingFrame->x(), twipsY(attributesTop));
    startRenameButton->move(twipsX(W - (Command1Width + 48)),
                            twipsY(attributesTop + Frame1Height + 120));
    batchFrame->move(batchFrame->x(), twipsY(attributesTop + Frame1Height + 20));
    statusLabel->move(twipsX(Frame1Left + Frame1Width + 24), twipsY(ListTop + listHeight + 24));
}

void MainWindow::closeEvent(QCloseEvent* e)
{
    QMainWindow::closeEvent(e);
    qApp->quit(); // closing the window ends the program, other windows included
}

// A header click sorts the session's list by that column (the list view shows
// the wait pointer meanwhile) and hides "Shred File... NAME"; a picked date
// becomes the pending date of every file, and the picker shows the date as
// read back.
void MainWindow::connectListView()
{
    connect(fileList, &FileListView::headerClicked, this, [this](int column) {
        fileList->setColumnCaption(3, ListColumns::caption(3));
        m_shredder->forgetFile(); // chosen in the order before
        guarded([&] { m_session.sortByHeader(column); });
    });
    connect(fileList, &FileListView::datePicked, this,
            [this](int picker, const QString& text, const QDateTime& date) {
                guarded([&] {
                    const QDateTime shown =
                        picker == 0 ? FileDates::creationPickerChanged(m_session, text, date)
                                    : FileDates::modifiedPickerChanged(m_session, text, date);
                    fileList->datePicker(picker)->setTheDate(shown);
                });
            });
}
