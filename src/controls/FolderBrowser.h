// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// FolderBrowser: the self-drawn drive and folder browser (of the main
// window's folder panel and of the save dialog). One list shows the drives with their
// volume labels, a shortcut to the home folder, an entry for the current
// folder that leads one level up, the sub-folders and, optionally, the files.
// A click on a drive or folder makes it the browser's folder (folder()) and
// re-lists; a click on a file only selects it. The process's current folder
// stays as it is: whoever wants the browser's folder asks for it.
//
// Lengths are twips (1/1440 inch) as in the rest of the window design; the
// mouse events report X and Y in twips too. Entries are numbered from 1.
//
// Public API:
//   void    openFolder(QString& path)  non-empty: go there (a folder that cannot be entered
//                                      leaves the browser where it was); empty: path receives
//                                      the browser's folder. Then re-list, selectedIndex() = -1,
//                                      lay out.
//   void    relist()                   re-list the browser's folder
//   QString folder()                   the browser's folder: at first the process's current
//                                      folder, then the one a click or openFolder went to
//   QString clickedPath()              resolved text of the last clicked entry
//   QString fileName()                 name of the last clicked file; empty after a click on
//                                      anything else
//   void    setFilePattern(pattern)    keep only files whose name holds pattern (letter case
//                                      ignored; "" and ".*" keep all), re-list
//   QString selectedPath()             the folder last gone to by a click; empty until then
//   void    setShowFiles(bool)         list files; takes effect at the next listing
// Signals:
//   entryChosen()   an entry was acted on, by a click or Return; not raised for a click
//                   below the last entry
//   clicked()       after every left click and every key that goes somewhere, once
//                   entryChosen has been handled
// Keys: the arrows, Page Up/Down, Home and End move a highlight (and scroll it into
//   view); Return acts on the highlighted entry as a click does; Backspace or Alt+Up goes
//   to the folder above. Escape and the other keys go on to the container.
// Read-outs: entryCount(), entryName(i), entryKind(i), visibleRows(), rowHeight() (twips),
//   selectedIndex(), highlightedIndex(), pattern(), showFiles(), rowRect(row) (pixels, row 0
//   at the top), scrollBar().
//
// Kind codes: 1 folder, 2 file, 3 read-only file, 11 the up entry (and a drive whose mount
// point cannot be reached), 12 removable, 13 fixed, 14 network, 15 CD-ROM, 16 RAM disk,
// 100 floppy, 110 home. Drives come from DriveList.
//
// Decided here: a folder is entered by its own name even when the name holds ".." (only
// the up entry leads up); the home entry is $HOME's last part, absent when $HOME is "/" or
// unset; a folder removed while it was shown is left for the nearest folder above it that
// still exists; the mouse wheel scrolls three entries while the scroll bar shows.

#include "platform/DriveList.h"

#include <QFont>
#include <QList>
#include <QString>
#include <QWidget>

#include <functional>

class FileSystem;
class ScrollBar;

class FolderBrowser : public QWidget
{
    Q_OBJECT
public:
    // Kind codes of the entries.
    enum Kind : int {
        FolderKind = 1,
        FileKind = 2,
        ReadOnlyFileKind = 3,
        UpKind = 11,
        FloppyKind = DriveList::FloppyCode,
        HomeKind = 110,
    };

    explicit FolderBrowser(FileSystem& fs, QWidget* parent = nullptr);
    ~FolderBrowser() override;

    void openFolder(QString& path);
    void relist();
    QString folder() const { return m_folder; }
    QString clickedPath() const { return m_clickedPath; }
    QString fileName() const { return m_fileName; }
    void setFilePattern(const QString& pattern);
    QString selectedPath() const { return m_selectedPath; }
    void setShowFiles(bool on) { m_showFiles = on; }

    int entryCount() const { return int(m_entries.size()); }
    QString entryName(int index) const;
    int entryKind(int index) const;
    int visibleRows() const { return m_visibleRows; }
    int rowHeight() const { return m_rowHeight; }
    int selectedIndex() const { return m_selectedIndex; }
    int highlightedIndex() const { return m_keyIndex; }
    QString pattern() const { return m_pattern; }
    bool showFiles() const { return m_showFiles; }
    QRect rowRect(int row) const;

    // Where the drives come from; tests put fixed volumes here.
    void setVolumeSource(std::function<QList<DriveList::Volume>()> source);

    // The seven icons: 0 drive, 1 folder, 2 CD drive, 3 floppy, 4 removable, 5 file, 6 home.
    static QImage icon(int index);

    ScrollBar* scrollBar() const { return m_scrollBar; }

signals:
    void clicked();
    void entryChosen();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Entry {
        QString text;
        int kind = 0;
        QString path; // where a drive or the home entry leads
    };
    enum class Fill { None, Hover, Press };

    void buildEntries(FileSystem& fs);
    void collectFolder(FileSystem& fs, QList<Entry>& collected) const;
    bool keepsFile(const QString& name) const;
    void enter(const QString& path);
    void leaveVanishedFolder(FileSystem& fs);
    void layoutStep();
    bool resolveClick(double y);
    void chooseEntry(int index);
    void goTo(const QString& path);
    void enterFolder(const QString& name);
    void goUp();
    void highlightEntry(int index);
    void highlight(Fill fill, QMouseEvent* event);

    double innerWidth() const;  // twips
    double innerHeight() const; // twips
    int toPixelX(double twips) const;
    int toPixelY(double twips) const;
    void drawRow(QPainter& painter, int index, double top) const;
    QColor fillFor(double top) const;

    ScrollBar* m_scrollBar = nullptr;
    QList<Entry> m_entries;
    int m_visibleRows = 0;
    int m_rowHeight = 0;
    int m_selectedIndex = -1;
    int m_keyIndex = 0; // the entry the keys highlight; 0 for none
    QString m_pattern;
    QString m_clickedPath;
    QString m_fileName;
    QString m_selectedPath;
    bool m_showFiles = true;
    QFont m_font;
    Fill m_fill = Fill::None;
    double m_pointerX = 0; // twips, for the highlight
    double m_pointerY = 0;
    FileSystem& m_fs;
    QString m_folder; // the folder listed, absolute, without a trailing "/"
    std::function<QList<DriveList::Volume>()> m_volumeSource;
    bool m_listed = false; // listed at least once
};
