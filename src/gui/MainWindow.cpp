// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindow.h"

#include "AttributesFrame.h"
#include "BatchFrame.h"
#include "FolderRow.h"
#include "FormParts.h"
#include "NamesPanel.h"
#include "PicturePreview.h"
#include "QtPrompter.h"
#include "RenameHistoryDialog.h"
#include "RenamingFrame.h"
#include "SlotGuard.h"
#include "WindowMenus.h"

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
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

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
    folderRow->folderBox->setText(m_session.folder());
    connect(folderRow->folderBox, &QLineEdit::textChanged, &m_session, &Session::setFolder);
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
        {folderRow->folderFrame, "folderFrame"},
        {folderRow->folderBox, "folderBox"},
        {folderRow->typeFilterBox, "typeFilterBox"},
        {folderRow->selectFolderButton, "selectFolderButton"},
        {folderRow->folderPanel, "folderPanel"},
        {folderRow->folderBrowser, "folderBrowser"},
        {fileList, "fileList"},
        {attributesFrame, "attributesFrame"},
        {renamingFrame, "renamingFrame"},
        {batchFrame, "batchFrame"},
        {startRenameButton, "startRenameButton"},
        {statusLabel, "statusLabel"},
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
        {folderRow->folderBox, "Drive / Directory"},
        {folderRow->typeFilterBox, "Selected File Type"},
        {folderRow->folderBrowser, "Folders"},
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
    folderRow = new FolderRow(m_session, inner);
    connect(folderRow, &FolderRow::folderChosen, this, &MainWindow::folderChosen);
    connect(folderRow, &FolderRow::filterEntered, this, &MainWindow::applyFilterFromBox);
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
    folderRow->folderPanel->raise();
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

// Space previews only while the list (or its scroll bar) has the focus.
void MainWindow::buildMenus()
{
    menus = new WindowMenus(*this, m_session);
    fileList->addAction(menus->previewAction);
    fileList->scrollBar()->addAction(menus->previewAction);
    connect(menus->renameHistoryAction, &QAction::triggered, this, [this] {
        RenameHistoryDialog history(m_session, this);
        history.exec();
    });
    connect(menus->namesPanelAction, &QAction::triggered, this, &MainWindow::openNamesPanel);
    connect(menus->naturalOrderAction, &QAction::triggered, this, &MainWindow::sortNaturally);
    connect(menus->allowSwapsAction, &QAction::toggled, &m_session, &Session::setSwapsAllowed);
}

bool MainWindow::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate && !m_activated)
        firstActivation();
    if (e->type() == QEvent::FocusIn)
        folderRow->folderPanel->hide();
    return QMainWindow::event(e);
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
    connect(m_rename, &RenamePass::typeBoxText, folderRow->typeFilterBox, &QComboBox::setEditText);
    connect(menus->undoRenameAction, &QAction::triggered, this,
            [this] { guarded([this] { m_rename->undoLastPass(); }); });
    connect(&m_session, &Session::undoEnabledChanged, menus->undoRenameAction,
            &QAction::setEnabled);
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
    connect(menus->copyNewNamesAction, &QAction::triggered, this, [this] {
        guarded([this] {
            NewNameClipboard::copy(m_session, clipboard());
            showStatus(NewNameClipboard::copiedText(m_session.lastPosition() + 1), false);
        });
    });
    connect(menus->pasteNewNamesAction, &QAction::triggered, this, [this] {
        guarded([this] {
            if (NewNameClipboard::paste(m_session, clipboard()))
                showStatus(NewNameClipboard::pastedText(m_session.lastPosition() + 1), false);
        });
    });
}

// The listing to the clipboard and to the printer.
void MainWindow::connectListing()
{
    connect(menus->copyListingAction, &QAction::triggered, this, [this] {
        guarded([this] {
            ListingCopy::copyListing(m_session.model(), m_session.lastPosition(),
                                     m_session.prompter(), clipboard());
            showStatus(ListingCopy::copiedText(m_session.lastPosition() + 1), false);
        });
    });
    connect(menus->saveListingAction, &QAction::triggered, this, [this] {
        guarded([this] {
            SaveListingDialog::saveListing(listing(), m_session.prompter(), this, m_session.fs());
        });
    });
    connect(menus->printListingAction, &QAction::triggered, this, [this] {
        guarded([this] {
            QtListingPrinter::printListing(listing(), m_session.prompter(), m_session.fs());
        });
    });
}

ListingSource MainWindow::listing() const
{
    return ListingSource{m_session.model(), m_session.lastPosition(), m_session.folderPath(),
                         folderRow->folderBox->text()};
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
    connect(menus->searchNamesAction, &QAction::triggered, this,
            [this] { guarded([this] { m_search->searchNames(windowTitle()); }); });
    connect(menus->searchContentsAction, &QAction::triggered, this,
            [this] { guarded([this] { m_search->searchContents(windowTitle()); }); });
    connect(fileList, &FileListView::doubleClicked, this, &MainWindow::previewChosenFile);
    connect(menus->previewAction, &QAction::triggered, this, &MainWindow::previewChosenFile);
    connect(menus->rescanAction, &QAction::triggered, this, &MainWindow::scanFolder);
    connect(menus->matchCaseAction, &QAction::toggled, this, [this](bool on) {
        m_search->setNameCaseSensitivity(on ? Qt::CaseSensitive : Qt::CaseInsensitive);
    });
    connect(m_search, &FileSearch::captionChanged, this, &QWidget::setWindowTitle);
    connect(fileList, &FileListView::clicked, this,
            [this] { m_shredder->rowClicked(m_session.model().currentRow()); });
    connect(m_shredder, &Shredder::shredEntryChanged, this,
            [this](const QString& caption, bool visible) {
                menus->shredFileAction->setText(caption);
                menus->shredFileAction->setVisible(visible);
            });
    connect(m_shredder, &Shredder::statusChanged, this,
            [this](const QString& text) { showStatus(text, false); });
    connect(menus->shredFileAction, &QAction::triggered, this,
            [this] { guarded([this] { m_shredder->shredCurrentFile(); }); });
    connect(menus->confirmShredAllAction, &QAction::triggered, this,
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
    guarded([this] { m_session.applyFilter(folderRow->typeFilterBox->currentText()); });
}

// A folder chosen in the browser is listed; what was said about the folder
// before does not hold for this one.
void MainWindow::folderChosen()
{
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
    folderRow->folderFrame->resize(twipsToPixelsX(folderFrameWidth),
                                   folderRow->folderFrame->height());
    const int folderBoxWidth = folderFrameWidth - 2424;
    folderRow->folderBox->resize(twipsToPixelsX(folderBoxWidth), folderRow->folderBox->height());
    const int typeFilterLeft = Layout::folderBox.left + folderBoxWidth + 84;
    folderRow->typeFilterBox->move(twipsToPixelsX(typeFilterLeft), folderRow->typeFilterBox->y());
    folderRow->selectFolderButton->move(
        twipsToPixelsX(typeFilterLeft + Layout::typeFilterBox.width + 36),
        folderRow->selectFolderButton->y());
    folderRow->folderPanel->resize(twipsToPixelsX(folderBoxWidth),
                                   folderRow->folderPanel->height());
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
