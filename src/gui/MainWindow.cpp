// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindow.h"

#include "AttributesFrame.h"
#include "BatchFrame.h"
#include "FormParts.h"
#include "NamesPanel.h"
#include "PicturePreview.h"
#include "PresetMenu.h"
#include "QtPrompter.h"
#include "RenameHistoryDialog.h"
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
#include "controls/PropertyBag.h"
#include "controls/ScrollBar.h"
#include "controls/Twips.h"
#include "filelist/ListColumns.h"
#include "filelist/NameCollisions.h"
#include "gui/MainWindowLayout.h"
#include "gui/QtClipboard.h"
#include "gui/QtListingPrinter.h"
#include "gui/SaveListingDialog.h"
#include "output/ListingCopy.h"
#include "output/ListingSource.h"

#include "controls/RenderedButton.h"
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QGroupBox>
#include <QKeyEvent>
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

namespace Layout = MainWindowLayout;

// Lists of this many files get their names after the window shows.
constexpr int BackgroundNamesFrom = 10000;

// The maker's page. Quillon has no public site yet; this reserved address
// stands until one exists.
const char* const MakerPage = "https://quillon.example/";

} // namespace

MainWindow::MainWindow(Session& session, ProcessLauncher& launcher, QWidget* parent)
    : QMainWindow(parent), m_session(session), m_launcher(launcher),
      m_rename(new RenamePass(session, this)), m_search(new FileSearch(session, this)),
      m_shredder(new Shredder(session, this)), m_clipboard(nullptr)
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
    centralWidget()->setFixedSize(twipsToPixelsX(InnerWidth), twipsToPixelsY(InnerHeight));
    adjustSize();
    centralWidget()->setMinimumSize(0, 0);
    centralWidget()->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

int MainWindow::twipsToPixelsX(int twips) const
{
    return Twips::toPixelsX(twips, this);
}

int MainWindow::twipsToPixelsY(int twips) const
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
        {previewAction, "previewAction"},
        {rescanAction, "rescanAction"},
        {matchCaseAction, "matchCaseAction"},
        {renameHistoryAction, "renameHistoryAction"},
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
    nameForScreenReaders();
}

// What a screen reader says for each box: the words of its label, frame or
// tool tip.
void MainWindow::nameForScreenReaders()
{
    const std::pair<QWidget*, const char*> names[] = {
        {folderBox, "Drive / Directory"},
        {typeFilterBox, "Selected File Type"},
        {folderBrowser, "Folders"},
        {renamingFrame->patternBox, "Filename pattern"},
        {renamingFrame->paddingBox, "Type of numbering"},
        {renamingFrame->extensionBox, "File extension"},
        {renamingFrame->replaceTextBox, "Replace"},
        {renamingFrame->replaceWithBox, "With"},
        {batchFrame->commandLineBox, "Batch Command Line"},
        {fileList->datePicker(0), "Creation Dates"},
        {fileList->datePicker(1), "Modified Dates"},
    };
    for (const auto& [widget, name] : names) {
        const QString text = QString::fromLatin1(name);
        widget->setAccessibleName(text);
        if (auto* box = qobject_cast<QComboBox*>(widget); box && box->lineEdit())
            box->lineEdit()->setAccessibleName(text);
        if (auto* picker = qobject_cast<DatePicker*>(widget))
            picker->dateBox()->setAccessibleName(text);
    }
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

void MainWindow::place(QWidget* w, const PartGeometry& part)
{
    w->setGeometry(twipsToPixelsX(part.left), twipsToPixelsY(part.top), twipsToPixelsX(part.width),
                   twipsToPixelsY(part.height));
}

void MainWindow::placeLabel(QLabel* label, const PartGeometry& part)
{
    label->adjustSize();
    label->move(twipsToPixelsX(part.left), twipsToPixelsY(part.top));
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
    place(attributesFrame, Layout::attributesFrame);
    renamingFrame = new RenamingFrame(m_session, inner);
    renamingFrame->setTitle(QStringLiteral("Generate New Filenames  :"));
    FormParts::styleFrame(renamingFrame);
    place(renamingFrame, Layout::renamingFrame);
    batchFrame = new BatchFrame(
        m_session, m_launcher, [this] { return attributesFrame->choice().batchValue(); }, inner);
    batchFrame->setTitle(QStringLiteral("Batch Command Line :"));
    FormParts::styleFrame(batchFrame);
    place(batchFrame, Layout::batchFrame);
    startRenameButton = FormParts::command(inner, QStringLiteral("Start Rename"),
                                           QStringLiteral("Start renaming..."));
    place(startRenameButton, Layout::startRenameButton);
    statusLabel = new QLabel(inner);
    statusLabel->setStyleSheet(QStringLiteral("color: rgb(0, 64, 0);"));
    placeLabel(statusLabel, Layout::statusLabel);
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
    place(fileList, Layout::fileList);
    fileList->setShownColumns(5);
    connectListView();
}

void MainWindow::buildPathFrame(QWidget* inner)
{
    folderFrame = FormParts::frame(inner, QStringLiteral("Drive / Directory :"));
    place(folderFrame, Layout::folderFrame);
    folderBox = new QLineEdit(inner);
    folderBox->setToolTip(QStringLiteral("Select Source Directory..."));
    // Read-only: it takes no typing, and leaves Ctrl+Z to the window's undo.
    folderBox->setReadOnly(true);
    folderBox->installEventFilter(this);
    place(folderBox, Layout::folderBox);
    typeFilterBox = FormParts::editableBox(
        inner, QStringLiteral("*.*"),
        {QStringLiteral("*.*"), QStringLiteral("*.JPG"), QStringLiteral("*.PNG"),
         QStringLiteral("*.GIF"), QStringLiteral("*.TXT"), QStringLiteral("*.DOC"),
         QStringLiteral("*.OCX"), QStringLiteral("*.DLL"), QStringLiteral("*.ZIP"),
         QStringLiteral("*.RAR"), QStringLiteral("*.HTM"), QStringLiteral("*.MP3")},
        QStringLiteral("Selected File Type..."));
    typeFilterBox->installEventFilter(this);
    typeFilterBox->lineEdit()->installEventFilter(this);
    place(typeFilterBox, Layout::typeFilterBox);
    connect(typeFilterBox, qOverload<int>(&QComboBox::activated), this, [this](int index) {
        typeFilterBox->setEditText(typeFilterBox->itemText(index));
        applyFilterFromBox();
    });
    connect(typeFilterBox->lineEdit(), &QLineEdit::returnPressed, this,
            &MainWindow::applyFilterFromBox);
    selectFolderButton = FormParts::command(inner, QStringLiteral("Select"),
                                            QStringLiteral("Choose and Select File Directory...."));
    place(selectFolderButton, Layout::selectFolderButton);
    connect(selectFolderButton, &RenderedButton::clicked, this, &MainWindow::togglePanel);
    folderPanel = new QFrame(inner);
    folderPanel->setAutoFillBackground(true);
    folderPanel->setPalette(QPalette(Qt::white));
    folderPanel->setFrameShape(QFrame::Box);
    place(folderPanel, Layout::folderPanel);
    folderPanel->hide();
    folderBrowser = new FolderBrowser(m_session.fs(), folderPanel);
    place(folderBrowser, Layout::folderBrowser);
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
    renameHistoryAction = file->addAction(QStringLiteral("Rename History..."));
    connect(renameHistoryAction, &QAction::triggered, this, [this] {
        RenameHistoryDialog history(m_session, this);
        history.exec();
    });
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
    previewAction = new QAction(QStringLiteral("Preview"), this);
    rescanAction = new QAction(QStringLiteral("Rescan"), this);
    file->insertActions(copyListingAction, {previewAction, rescanAction});
    file->insertSeparator(copyListingAction);

    QMenu* search = menuBar()->addMenu(QStringLiteral("Search"));
    searchNamesAction = search->addAction(QStringLiteral("Search Source Filenames..."));
    searchContentsAction = search->addAction(QStringLiteral("Search Inside Each Source File..."));
    search->addSeparator();
    matchCaseAction = search->addAction(QStringLiteral("Match case"));
    matchCaseAction->setCheckable(true);
    setShortcuts();

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

// The keys a desktop user expects, shown in the menus. Space previews only
// while the list (or its scroll bar) has the focus, so it still ticks boxes
// and presses buttons everywhere else.
void MainWindow::setShortcuts()
{
    const std::pair<QAction*, const char*> keys[] = {
        {rescanAction, "F5"},           {searchNamesAction, "Ctrl+F"},
        {saveListingAction, "Ctrl+S"},  {searchContentsAction, "Ctrl+Shift+F"},
        {printListingAction, "Ctrl+P"}, {exitAction, "Ctrl+Q"},
        {previewAction, "Space"},
    };
    for (const auto& [action, key] : keys)
        action->setShortcut(QKeySequence(QString::fromLatin1(key)));
    // Only the list and its scroll bar: the date pickers' boxes and buttons
    // inside the list keep their own Space.
    previewAction->setShortcutContext(Qt::WidgetShortcut);
    fileList->addAction(previewAction);
    fileList->scrollBar()->addAction(previewAction);
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
        if (e->type() == QEvent::MouseButtonRelease)
            togglePanel();
    } else if (watched == folderBrowser && e->type() == QEvent::KeyPress &&
               static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) {
        // Escape closes the panel; the keys go back to the button that opens it.
        folderPanel->hide();
        selectFolderButton->setFocus(Qt::OtherFocusReason);
        m_panelJustClosed = false;
        return true;
    } else if ((watched == folderBrowser || watched == folderBrowser->scrollBar()) &&
               e->type() == QEvent::FocusOut && QApplication::focusWidget() != folderBrowser &&
               !folderBrowser->isAncestorOf(QApplication::focusWidget())) {
        // The focus going into the browser's own scroll bar stays in the panel.
        folderPanel->hide();
        m_panelJustClosed = true;
    } else if (watched == folderPanel && e->type() == QEvent::Resize) {
        // The browser fills the panel but for a hair on the right.
        folderBrowser->resize(folderPanel->contentsRect().width() - twipsToPixelsX(4) -
                                  folderBrowser->x(),
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
    namesMenu->addSeparator();
    presetMenu = new PresetMenu(m_session, *this, namesMenu);
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
    connect(copyNewNamesAction, &QAction::triggered, this, [this] {
        guarded([this] {
            NewNameClipboard::copy(m_session, clipboard());
            showStatus(NewNameClipboard::copiedText(m_session.lastPosition() + 1), false);
        });
    });
    connect(pasteNewNamesAction, &QAction::triggered, this, [this] {
        guarded([this] {
            if (NewNameClipboard::paste(m_session, clipboard()))
                showStatus(NewNameClipboard::pastedText(m_session.lastPosition() + 1), false);
        });
    });
}

// The listing to the clipboard and to the printer.
void MainWindow::connectListing()
{
    connect(copyListingAction, &QAction::triggered, this, [this] {
        guarded([this] {
            ListingCopy::copyListing(m_session.model(), m_session.lastPosition(),
                                     m_session.prompter(), clipboard());
            showStatus(ListingCopy::copiedText(m_session.lastPosition() + 1), false);
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
    connect(searchNamesAction, &QAction::triggered, this,
            [this] { guarded([this] { m_search->searchNames(windowTitle()); }); });
    connect(searchContentsAction, &QAction::triggered, this,
            [this] { guarded([this] { m_search->searchContents(windowTitle()); }); });
    connect(fileList, &FileListView::doubleClicked, this, &MainWindow::previewChosenFile);
    connect(previewAction, &QAction::triggered, this, &MainWindow::previewChosenFile);
    connect(rescanAction, &QAction::triggered, this, &MainWindow::scanFolder);
    connect(matchCaseAction, &QAction::toggled, this, [this](bool on) {
        m_search->setNameCaseSensitivity(on ? Qt::CaseSensitive : Qt::CaseInsensitive);
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

// The chosen row's file, from the listed folder (the save dialog may have
// moved the current one): a picture in the preview, else the desktop's program.
void MainWindow::previewChosenFile()
{
    if (m_session.lastPosition() < 0)
        return;
    guarded([this] {
        PicturePreview::openListedFile(m_session.folderPath() + m_session.model().currentNameAt(
                                                                    m_session.model().currentRow()),
                                       m_session.fs(), this, &m_session.prompter());
    });
}

// statusLabel: the rename pass puts its right edge 10 twips left of the list's
// right edge; other texts stand at its designed place.
void MainWindow::showStatus(const QString& text, bool rightAligned)
{
    m_statusCountsCollisions = false;
    statusLabel->setText(text);
    statusLabel->adjustSize();
    int left = Layout::statusLeft;
    if (rightAligned) {
        const int listRight = pixelsToTwipsX(fileList->geometry().right() + 1);
        left = listRight - (pixelsToTwipsX(statusLabel->width()) + 10);
    }
    statusLabel->move(twipsToPixelsX(left), statusLabel->y());
}

void MainWindow::applyFilterFromBox()
{
    guarded([this] { m_session.applyFilter(typeFilterBox->currentText()); });
}

void MainWindow::togglePanel()
{
    m_session.setUndoEnabled(false);
    if (!m_panelJustClosed) {
        if (!folderPanel->isVisible()) {
            QString listed = m_session.folder(); // the panel opens on the listed folder
            folderBrowser->openFolder(listed);
        }
        folderPanel->setVisible(!folderPanel->isVisible());
        if (folderPanel->isVisible())
            folderBrowser->setFocus(Qt::OtherFocusReason); // its keys work at once
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
    // What was said about the folder before does not hold for this one.
    showStatus(QString(), false);
    batchFrame->runningLineLabel->clear();
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
        const int growX = qMax(0, twipsToPixelsX(MinInnerWidth) - inner->width());
        const int growY = qMax(0, twipsToPixelsY(MinInnerHeight) - inner->height());
        resize(width() + growX, height() + growY);
        W = qMax(W, MinInnerWidth);
        H = qMax(H, MinInnerHeight);
    }
    const int listTop = Layout::fileList.top;
    const int listHeight = H - 3100;
    fileList->setGeometry(twipsToPixelsX(Layout::fileList.left), twipsToPixelsY(listTop),
                          twipsToPixelsX(W - 120), twipsToPixelsY(listHeight));
    const int folderFrameWidth = W - 960;
    folderFrame->resize(twipsToPixelsX(folderFrameWidth), folderFrame->height());
    const int folderBoxWidth = folderFrameWidth - 2424;
    folderBox->resize(twipsToPixelsX(folderBoxWidth), folderBox->height());
    const int typeFilterLeft = Layout::folderBox.left + folderBoxWidth + 84;
    typeFilterBox->move(twipsToPixelsX(typeFilterLeft), typeFilterBox->y());
    selectFolderButton->move(twipsToPixelsX(typeFilterLeft + Layout::typeFilterBox.width + 36),
                             selectFolderButton->y());
    folderPanel->resize(twipsToPixelsX(folderBoxWidth), folderPanel->height());
    const int framesTop = listTop + listHeight + 80;
    const int renamingBottom = framesTop + Layout::renamingFrame.height;
    attributesFrame->move(attributesFrame->x(), twipsToPixelsY(framesTop));
    renamingFrame->move(renamingFrame->x(), twipsToPixelsY(framesTop));
    startRenameButton->move(twipsToPixelsX(W - (Layout::startRenameButton.width + 48)),
                            twipsToPixelsY(renamingBottom + 120));
    batchFrame->move(batchFrame->x(), twipsToPixelsY(renamingBottom + 20));
    statusLabel->move(twipsToPixelsX(Layout::statusLeft),
                      twipsToPixelsY(listTop + listHeight + 24));
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
        fileList->showSortOrder(m_session.sorter().lastSortColumn(),
                                m_session.sorter().lastSortDescending());
    });
    connect(fileList, &FileListView::datePicked, this,
            [this](int picker, const QString& text, const QDateTime& date) {
                guarded([&] {
                    const QDateTime shown =
                        picker == 0 ? FileDates::creationPickerChanged(m_session, text, date)
                                    : FileDates::modifiedPickerChanged(m_session, text, date);
                    fileList->datePicker(picker)->setDate(shown);
                });
            });
}
