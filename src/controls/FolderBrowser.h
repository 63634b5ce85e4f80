#pragma once

// FolderBrowser: the self-drawn drive and folder browser (the main window's
// dirList, the save dialog's DriveList). One list shows the drives with their
// volume labels, a shortcut to the home folder, an entry for the current
// folder that leads one level up, the sub-folders and, optionally, the files.
// A click on a drive or folder makes it the process's current folder and
// re-lists; a click on a file only selects it. Every part of the program that
// uses bare file names therefore sees the folder the browser last went to.
//
// Lengths are twips (1/1440 inch) as in the rest of the window design; the
// mouse events report X and Y in twips too. Entries are numbered from 1.
//
// Public API:
//   void    GetDir(QString& PathDir)   non-empty: go there (a folder that cannot be entered
//                                      leaves the current one); empty: PathDir receives the
//                                      current folder. Then re-list, SelectedIndex = -1, lay out.
//   void    GetDir()                   re-list the current folder
//   QString DrivePathFile()            resolved text of the last clicked entry
//   QString FileName()                 name of the last clicked file; empty after a click on
//                                      anything else
//   QString FileExtention(Pattern)     keep only files whose name holds Pattern (letter case
//                                      ignored; "" and ".*" keep all), re-list; returns ""
//   QString SelectPath()               the folder last gone to by a click; empty until then
//   void    setShowTHeFiles(int)       list files (value != 0); takes effect at the next GetDir
// Signals (codes: Button 1 left, 2 right, 4 middle; Shift 1 Shift, 2 Ctrl, 4 Alt; KeyCode a
// Windows virtual-key code, see RenderedButton::vbKeyCode):
//   Click()                            after every left click, once MouseUp has been handled
//   MouseDown/MouseMove(int Button, int Shift, float X, float Y)   before the highlight
//   MouseUp(int Button, int Shift, float X, float Y)   after the click was acted on; not raised
//                                      for a click below the last entry
//   KeyDown(int& KeyCode, int& Shift)  after Page Up/Down and the arrows have scrolled
//   KeyPress(int& KeyAscii)   KeyUp(int& KeyCode, int& Shift)
// Read-outs: EntryCount(), EntryName(i), EntryKind(i), VisibleRows(), RowHeight() (twips),
//   SelectedIndex(), Pattern(), ShowFiles(), rowRect(row) (pixels, row 0 at the top), sFiles.
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

    void GetDir(QString& PathDir);
    void GetDir();
    QString DrivePathFile() const { return m_drivePathFile; }
    QString FileName() const { return m_fileName; }
    QString FileExtention(const QString& Pattern);
    QString SelectPath() const { return m_selectPath; }
    void setShowTHeFiles(int New_ShowFiles) { m_showFiles = New_ShowFiles != 0; }

    int EntryCount() const { return int(m_entries.size()); }
    QString EntryName(int index) const;
    int EntryKind(int index) const;
    int VisibleRows() const { return m_visibleRows; }
    int RowHeight() const { return m_rowHeight; }
    int SelectedIndex() const { return m_selectedIndex; }
    QString Pattern() const { return m_pattern; }
    bool ShowFiles() const { return m_showFiles; }
    QRect rowRect(int row) const;

    // Where the drives come from; tests put fixed volumes here.
    void setVolumeSource(std::function<QList<DriveList::Volume>()> source);

    // The seven icons: 0 drive, 1 folder, 2 CD drive, 3 floppy, 4 removable, 5 file, 6 home.
    static QImage pImage(int index);

    ScrollBar* sFiles;

signals:
    void Click();
    void KeyDown(int& KeyCode, int& Shift);
    void KeyPress(int& KeyAscii);
    void KeyUp(int& KeyCode, int& Shift);
    void MouseDown(int Button, int Shift, float X, float Y);
    void MouseMove(int Button, int Shift, float X, float Y);
    void MouseUp(int Button, int Shift, float X, float Y);

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
    void keyReleaseEvent(QKeyEvent* event) override;

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
    void leaveVanishedFolder(FileSystem& fs);
    void layoutStep();
    bool resolveClick(double y);
    void goTo(const QString& path);
    void enterFolder(const QString& name);
    void goUp();
    void pageKeys(int keyCode);
    void highlight(Fill fill, QMouseEvent* event);
    void emitMouse(void (FolderBrowser::*signal)(int, int, float, float), QMouseEvent* event);

    double twipsPerPixelX() const;
    double twipsPerPixelY() const;
    double innerWidth() const;  // twips
    double innerHeight() const; // twips
    int toPixelX(double twips) const;
    int toPixelY(double twips) const;
    void drawRow(QPainter& painter, int index, double top) const;
    QColor fillFor(double top) const;

    QList<Entry> m_entries;
    int m_visibleRows = 0;
    int m_rowHeight = 0;
    int m_selectedIndex = -1;
    QString m_pattern;
    QString m_drivePathFile;
    QString m_fileName;
    QString m_selectPath;
    bool m_showFiles = true;
    QFont m_font;
    Fill m_fill = Fill::None;
    double m_pointerX = 0; // twips, for the highlight
    double m_pointerY = 0;
    FileSystem& m_fs;
    std::function<QList<DriveList::Volume>()> m_volumeSource;
    bool m_listed = false; // GetDir has run at least once
};
