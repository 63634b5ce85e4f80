// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FolderBrowser.h"

#include "ControlsAccessibility.h"

#include "RenderedButton.h"
#include "RowKeys.h"
#include "ScrollBar.h"
#include "Twips.h"
#include "platform/FileErrors.h"
#include "platform/FileNameCodec.h"
#include "platform/FileSystem.h"
#include "platform/NameOrder.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QSvgRenderer>

#include <algorithm>
#include <array>
#include <cmath>

// The icons live in a resource file of the (static) widgets library, which
// the linker would drop unless something names it.
static void initFolderBrowserResources()
{
    Q_INIT_RESOURCE(folderbrowser);
}

namespace
{

constexpr int ScrollBarWidth = 15; // pixels, as the list view's bar
constexpr int IconSize = 20;       // pixels
constexpr int StripWidth = 60;     // the grey strip at the right edge, twips
constexpr int TextOffset = 500;    // text starts this far right of the indent, twips
constexpr int IconTop = 20;        // icon top below the row top, twips
constexpr int WheelStep = 3;
const QColor Blue(0, 0, 255);
const QColor Grey(128, 128, 128);
const QColor Green(0, 128, 0);
const QColor StripColour(224, 224, 224);
const QColor HoverFill(237, 237, 255);
const QColor PressFill(255, 0, 0);
const QColor KeyFill(178, 210, 245); // the entry the keys highlight
const QColor FocusColor(0, 84, 166);
const QString Root = QStringLiteral("/");

int iconOf(int kind)
{
    switch (kind) {
    case FolderBrowser::FolderKind:
    case FolderBrowser::UpKind:
        return 1;
    case FolderBrowser::FileKind:
    case FolderBrowser::ReadOnlyFileKind:
        return 5;
    case 10 + DriveList::Removable:
        return 4;
    case 10 + DriveList::CdRom:
        return 2;
    case FolderBrowser::FloppyKind:
        return 3;
    case FolderBrowser::HomeKind:
        return 6;
    default:
        return 0; // fixed, network and RAM drives
    }
}

bool isInFolderKind(int kind)
{
    return kind >= FolderBrowser::FolderKind && kind <= FolderBrowser::ReadOnlyFileKind;
}

int indentOf(int kind)
{
    return isInFolderKind(kind) ? 480 : 0;
}

QColor colourOf(int kind)
{
    if (kind == FolderBrowser::FolderKind || kind == FolderBrowser::UpKind)
        return Blue;
    if (kind == FolderBrowser::FileKind || kind == FolderBrowser::ReadOnlyFileKind)
        return Grey;
    return Green;
}

QString homeFolder()
{
    QString home = FileNameCodec::decode(qgetenv("HOME"));
    while (home.size() > 1 && home.endsWith(QLatin1Char('/')))
        home.chop(1);
    return home;
}

// The folder above an absolute path without a trailing "/"; the root for
// the root.
QString parentOf(const QString& folder)
{
    const qsizetype slash = folder.lastIndexOf(QLatin1Char('/'));
    return slash > 0 ? folder.left(slash) : Root;
}

} // namespace

FolderBrowser::FolderBrowser(FileSystem& fs, QWidget* parent)
    : QWidget(parent), m_fs(fs), m_folder(fs.currentFolder()),
      m_volumeSource([&fs] { return DriveList::systemVolumes(fs); })
{
    ControlsAccessibility::install();
    initFolderBrowserResources();
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_font = QFont(QStringLiteral("Arial"));
    m_font.setPointSizeF(15.75);
    setFont(m_font);

    m_scrollBar = new ScrollBar(this);
    m_scrollBar->setObjectName(QStringLiteral("scrollBar"));
    m_scrollBar->setBackColor(QColor(224, 224, 224));
    m_scrollBar->setValueMin(1);
    m_scrollBar->setValue(1);
    m_scrollBar->setFocusPolicy(Qt::NoFocus); // the keys go to the entries
    connect(m_scrollBar, &ScrollBar::changed, this, [this] {
        m_fill = Fill::None;
        update();
    });
    // The first listing waits until the browser is shown: the main window
    // builds it hidden in the folder panel, and listing the folder there at
    // start would read every file of a large folder twice.
}

void FolderBrowser::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_listed)
        relist();
}

FolderBrowser::~FolderBrowser() = default;

void FolderBrowser::setVolumeSource(std::function<QList<DriveList::Volume>()> source)
{
    m_volumeSource = std::move(source);
}

QString FolderBrowser::entryName(int index) const
{
    return index >= 1 && index <= m_entries.size() ? m_entries[index - 1].text : QString();
}

int FolderBrowser::entryKind(int index) const
{
    return index >= 1 && index <= m_entries.size() ? m_entries[index - 1].kind : 0;
}

QImage FolderBrowser::icon(int index)
{
    static std::array<QImage, 7> images;
    static const std::array<const char*, 7> names = {
        "0-drive", "1-folder", "2-cdrom", "3-floppy", "4-removable", "5-file", "6-user",
    };
    if (index < 0 || index >= int(images.size()))
        return {};
    if (images[index].isNull()) {
        initFolderBrowserResources();
        QImage image(IconSize, IconSize, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QSvgRenderer renderer(
            QStringLiteral(":/folderbrowser/%1.svg").arg(QLatin1String(names[index])));
        QPainter painter(&image);
        renderer.render(&painter);
        images[index] = image;
    }
    return images[index];
}

// ---- listing ----------------------------------------------------------------

void FolderBrowser::relist()
{
    QString here;
    openFolder(here);
}

void FolderBrowser::openFolder(QString& path)
{
    m_listed = true;
    FileSystem& fs = m_fs;
    // A folder that cannot be entered leaves the browser where it was, which
    // is then listed.
    if (!path.isEmpty())
        enter(path);
    leaveVanishedFolder(fs);
    if (path.isEmpty())
        path = m_folder;
    buildEntries(fs);
    m_selectedIndex = -1;
    m_keyIndex = 0;
    m_fill = Fill::None;
    layoutStep();
}

void FolderBrowser::setFilePattern(const QString& pattern)
{
    m_pattern = pattern;
    relist();
}

// Goes to path (relative to the browser's folder) when it can be entered.
void FolderBrowser::enter(const QString& path)
{
    const QString target = path.startsWith(QLatin1Char('/')) ? path : m_folder + u'/' + path;
    QString resolved;
    if (m_fs.enterableFolder(target, resolved) == FileErrors::None)
        m_folder = resolved;
}

// A folder removed while it was shown (or closed to the user since) is left
// for the nearest folder above it that can still be entered, so the list
// shows where the user can go.
void FolderBrowser::leaveVanishedFolder(FileSystem& fs)
{
    QString resolved;
    while (m_folder != Root && fs.enterableFolder(m_folder, resolved) != FileErrors::None)
        m_folder = parentOf(m_folder);
}

void FolderBrowser::buildEntries(FileSystem& fs)
{
    QList<Entry> collected;
    for (const DriveList::Drive& drive : DriveList::drives(m_volumeSource()))
        collected.append({drive.text, drive.code, drive.root});
    const QString home = homeFolder();
    if (home.size() > 1)
        collected.append({home.mid(home.lastIndexOf(QLatin1Char('/')) + 1), HomeKind, home});
    const QString& current = m_folder;
    collected.append({current == Root ? Root : current + QStringLiteral("/.."), UpKind, current});
    collectFolder(fs, collected);

    // Drives, home, the up entry and folders first, then the files, each in
    // the order collected (folders and files by name); an entry of an
    // unknown drive type (10) falls out.
    m_entries.clear();
    for (const Entry& e : std::as_const(collected)) {
        if (e.kind == FolderKind || e.kind >= UpKind)
            m_entries.append(e);
    }
    for (const Entry& e : std::as_const(collected)) {
        if (e.kind >= FileKind && e.kind <= 9)
            m_entries.append(e);
    }
}

// The current folder's sub-folders and kept files, in name order as the file
// list shows them (NameOrder). Hidden and system entries are not shown; a
// folder that cannot be read adds nothing.
void FolderBrowser::collectFolder(FileSystem& fs, QList<Entry>& collected) const
{
    const qsizetype from = collected.size();
    static_cast<void>(fs.enumerate(m_folder, true, [&](const FileSystem::Entry& e) {
        if (e.name == QLatin1String(".") || e.name == QLatin1String(".."))
            return true;
        if (e.attributes & (FileSystem::Hidden | FileSystem::System))
            return true;
        if (e.isFolder)
            collected.append({e.name, FolderKind, {}});
        else if (m_showFiles && keepsFile(e.name))
            collected.append(
                {e.name, (e.attributes & FileSystem::ReadOnly) ? ReadOnlyFileKind : FileKind, {}});
        return true;
    })); // a folder that cannot be read adds nothing
    std::sort(collected.begin() + from, collected.end(),
              [](const Entry& a, const Entry& b) { return NameOrder::less(a.text, b.text); });
}

bool FolderBrowser::keepsFile(const QString& name) const
{
    return m_pattern == QLatin1String(".*") || name.toLower().contains(m_pattern.toLower());
}

// ---- layout and drawing -----------------------------------------------------

double FolderBrowser::innerWidth() const
{
    return width() * Twips::perPixelX(this);
}

double FolderBrowser::innerHeight() const
{
    return height() * Twips::perPixelY(this);
}

int FolderBrowser::toPixelX(double twips) const
{
    return Twips::toPixelsX(twips, this);
}

int FolderBrowser::toPixelY(double twips) const
{
    return Twips::toPixelsY(twips, this);
}

QRect FolderBrowser::rowRect(int row) const
{
    if (m_rowHeight <= 0)
        return {};
    const int top = toPixelY(double(row) * m_rowHeight);
    const int bottom = toPixelY(double(row + 1) * m_rowHeight);
    return QRect(0, top, width() - (m_scrollBar->isVisible() ? m_scrollBar->width() : 0),
                 bottom - top);
}

void FolderBrowser::resizeEvent(QResizeEvent*)
{
    layoutStep();
}

// Places the scroll bar, measures a row and decides how many rows fit: a
// list longer than the height gets the scroll bar, one that fits (even
// exactly) hides it.
void FolderBrowser::layoutStep()
{
    m_scrollBar->setGeometry(width() - ScrollBarWidth, 0, ScrollBarWidth, height());
    // One line of the font: whole pixels, as the screen draws it, in twips.
    m_rowHeight = Twips::roundEven(Twips::fromPixelsY(QFontMetrics(m_font, this).height(), this));
    const int n = entryCount();
    const double h = innerHeight();
    int stoppedAt = 0;
    for (int k = 1; k <= n && m_rowHeight > 0; ++k) {
        if (double(k) * m_rowHeight > h) {
            stoppedAt = k;
            break;
        }
    }
    if (stoppedAt > 0) {
        const int k = stoppedAt;
        // The last page ends with the last entry, shown whole.
        m_visibleRows = k - 1;
        m_scrollBar->setValueMax(n - m_visibleRows + 1);
        m_scrollBar->setValueLargeChange(m_visibleRows);
        m_scrollBar->setValue(1);
        m_scrollBar->show();
    } else {
        m_visibleRows = n + 1;
        m_scrollBar->setValueLargeChange(1);
        m_scrollBar->setValueMax(2);
        m_scrollBar->setValue(1);
        m_scrollBar->hide();
    }
    update();
}

void FolderBrowser::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const double w = innerWidth();
    painter.fillRect(QRect(toPixelX(w - StripWidth), 0, width(), height()), StripColour);
    if (m_rowHeight <= 0)
        return;
    painter.setFont(m_font);
    double top = 0;
    const int first = m_scrollBar->value();
    for (int i = first; i <= first + m_visibleRows && i <= entryCount(); ++i) {
        drawRow(painter, i, top);
        top += m_rowHeight;
    }
}

// The fill behind the row's text while the pointer is over the list: the
// row under a moving pointer is tinted, the pressed one is red, the others
// are plain.
QColor FolderBrowser::fillFor(double top) const
{
    const double w = innerWidth();
    const double h = innerHeight();
    const double t = std::round(top);
    const double x = m_pointerX;
    const double y = m_pointerY;
    const bool inRow = t < y && y < t + m_rowHeight;
    if (m_fill == Fill::Hover) {
        const bool hit = 500 < x && x < w - 800 && 100 < y && y < h - 100 && inRow;
        return hit ? HoverFill : Qt::white;
    }
    const bool hit = 500 < x && x < w - 500 && 20 < y && y < h - 20 && inRow;
    return hit ? PressFill : palette().color(QPalette::Base);
}

void FolderBrowser::drawRow(QPainter& painter, int index, double top) const
{
    const Entry& e = m_entries[index - 1];
    const int indent = indentOf(e.kind);
    if (index == m_keyIndex && hasFocus()) {
        const QRect band(QPoint(toPixelX(indent + TextOffset) - 4, toPixelY(std::round(top))),
                         QPoint(toPixelX(innerWidth() - StripWidth) - 1,
                                toPixelY(std::round(top) + m_rowHeight) - 1));
        painter.fillRect(band, KeyFill);
        painter.setPen(QPen(FocusColor, 2));
        painter.drawRect(QRectF(band).adjusted(1, 1, -1, -1));
    } else if (m_fill != Fill::None) {
        const double t = std::round(top);
        painter.fillRect(
            QRect(QPoint(toPixelX(indent + TextOffset), toPixelY(t)),
                  QPoint(toPixelX(innerWidth() - StripWidth) - 1, toPixelY(t + m_rowHeight) - 1)),
            fillFor(top));
    }
    // A selected plain file is never bold; a selected read-only file is.
    QFont font = m_font;
    font.setBold(index == m_selectedIndex && e.kind != FileKind);
    painter.setFont(font);
    painter.drawImage(QPoint(toPixelX(indent), toPixelY(top + IconTop)), icon(iconOf(e.kind)));
    painter.setPen(colourOf(e.kind));
    const QFontMetrics metrics(font, this);
    painter.drawText(QPointF(toPixelX(indent + TextOffset), toPixelY(top) + metrics.ascent()),
                     e.text);
}

// ---- mouse ------------------------------------------------------------------

void FolderBrowser::highlight(Fill fill, QMouseEvent* event)
{
    m_fill = fill;
    m_pointerX = event->position().x() * Twips::perPixelX(this);
    m_pointerY = event->position().y() * Twips::perPixelY(this);
    update();
}

void FolderBrowser::mousePressEvent(QMouseEvent* event)
{
    highlight(Fill::Press, event);
}

void FolderBrowser::mouseMoveEvent(QMouseEvent* event)
{
    highlight(Fill::Hover, event);
}

void FolderBrowser::leaveEvent(QEvent*)
{
    m_fill = Fill::None;
    update();
}

void FolderBrowser::mouseReleaseEvent(QMouseEvent* event)
{
    // Only the left button navigates: a right or middle click would move the
    // folder without the Click that tells the container.
    const bool left = event->button() == Qt::LeftButton;
    const bool onAnEntry = !left || resolveClick(event->position().y() * Twips::perPixelY(this));
    QPointer<FolderBrowser> self(this);
    if (onAnEntry)
        emit entryChosen();
    if (self && left)
        emit clicked();
}

// Acts on a click at y (twips). False when the row lies beyond the last
// entry: then nothing happens and no MouseUp is raised.
bool FolderBrowser::resolveClick(double y)
{
    if (m_rowHeight <= 0)
        return true;
    // The row band holding y; a pointer exactly on a border hits none.
    const int limit = Twips::roundEven(innerHeight());
    int bandTop = -1;
    for (int y0 = 0; y0 <= limit; y0 += m_rowHeight) {
        if (y0 < y && y < y0 + m_rowHeight) {
            bandTop = y0;
            break;
        }
    }
    if (bandTop < 0)
        return true;
    const int index = m_scrollBar->value() + bandTop / m_rowHeight;
    m_selectedIndex = index;
    if (index > entryCount())
        return false;
    chooseEntry(index);
    return true;
}

// Acts on entry index: a folder, drive or the home entry is gone to, the up
// entry leads one level up, a file is only selected.
void FolderBrowser::chooseEntry(int index)
{
    m_selectedIndex = index;
    const Entry e = m_entries[index - 1];
    m_clickedPath = e.text;
    if (isInFolderKind(e.kind) && e.kind != FolderKind) {
        m_fileName = e.text;
    } else {
        m_fileName.clear();
        if (e.kind == FolderKind)
            enterFolder(e.text);
        else if (e.kind == UpKind && e.text.endsWith(QLatin1String("/..")))
            goUp();
        else
            goTo(e.path); // a drive, the root's own entry, home
    }
    m_fill = Fill::None;
    update();
}

void FolderBrowser::goTo(const QString& path)
{
    m_selectedPath = path;
    openFolder(m_selectedPath);
}

void FolderBrowser::enterFolder(const QString& name)
{
    m_clickedPath = m_folder == Root ? Root + name : m_folder + QLatin1Char('/') + name;
    goTo(m_clickedPath);
}

void FolderBrowser::goUp()
{
    // At the root there is nothing above: the browser stays where it is.
    enter(parentOf(m_folder));
    leaveVanishedFolder(m_fs);
    m_clickedPath = m_folder;
    goTo(m_clickedPath);
}

void FolderBrowser::wheelEvent(QWheelEvent* event)
{
    if (!m_scrollBar->isVisible())
        return;
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0)
        m_scrollBar->setValue(m_scrollBar->value() - steps * WheelStep);
}

// ---- keys -------------------------------------------------------------------

// Highlights entry index and scrolls it wholly into view.
void FolderBrowser::highlightEntry(int index)
{
    m_keyIndex = index;
    const int first = m_scrollBar->value();
    if (index < first)
        m_scrollBar->setValue(index);
    else if (m_scrollBar->isVisible() && index > first + m_visibleRows - 1)
        m_scrollBar->setValue(index - m_visibleRows + 1);
    update();
}

void FolderBrowser::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const int n = entryCount();
    const bool chosen = m_keyIndex > 0;
    const int from = chosen ? m_keyIndex - 1 : m_scrollBar->value() - 1;
    const int page = std::max(1, std::min(m_visibleRows, n));
    const int to = n > 0 ? RowKeys::target(key, from, chosen, page, n - 1) : -1;
    const bool up =
        key == Qt::Key_Backspace || (key == Qt::Key_Up && (event->modifiers() & Qt::AltModifier));
    QPointer<FolderBrowser> self(this);
    if (up) {
        goUp();
    } else if (to >= 0) {
        return highlightEntry(to + 1);
    } else if ((key == Qt::Key_Return || key == Qt::Key_Enter) && chosen) {
        chooseEntry(m_keyIndex);
        emit entryChosen();
    } else {
        return QWidget::keyPressEvent(event); // Escape closes the container's panel
    }
    if (self)
        emit clicked();
}
