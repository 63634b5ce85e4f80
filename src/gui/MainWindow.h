// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>

#include <functional>

class AttributesFrame;
class BatchFrame;
class FileSearch;
class Shredder;
class FileListView;
class FolderRow;
class NamesPanel;
class QLabel;
class RenderedButton;
class RenamePass;
class RenamingFrame;
class ProcessLauncher;
class Session;
class WindowMenus;
struct PartGeometry;

// The main window: the folder row (FolderRow), the list, the renaming,
// attribute and batch frames, and the menus (WindowMenus). It holds no logic of its own: every
// handler hands the window's inputs to the Session and its operation classes and shows what they
// report. Lengths are designed in twips (1/1440 inch) and converted with the screen's logical DPI.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    // The launcher starts the batch's programs.
    MainWindow(Session& session, ProcessLauncher& launcher, QWidget* parent = nullptr);

    // The controls, public for tests (which may also find them by object
    // name: the same words).
    FolderRow* folderRow; // folder box, type filter, Select and the folder panel
    FileListView* fileList;
    AttributesFrame* attributesFrame;
    RenamingFrame* renamingFrame;
    BatchFrame* batchFrame;
    RenderedButton* startRenameButton;
    QLabel* statusLabel;

    WindowMenus* menus;               // the menu bar's entries
    NamesPanel* namesPanel = nullptr; // made when first opened

    bool activated() const { return m_activated; }
    // Twips to pixels at this window's logical DPI.
    int twipsToPixelsX(int twips) const;
    int twipsToPixelsY(int twips) const;
    int pixelsToTwipsX(int pixels) const;
    int pixelsToTwipsY(int pixels) const;

    // The platform clipboard the new-name copy and paste use; tests may put
    // their own here.
    void setClipboard(class Clipboard* clipboard) { m_clipboard = clipboard; }

protected:
    bool event(QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void buildControls();
    void nameControls();
    void nameForScreenReaders();
    void previewChosenFile();
    void connectRenaming();
    void setUpList(QWidget* inner);
    void connectFileOperations();
    void connectListing();
    void openNamesPanel();
    void sortNaturally();
    void startRename();
    struct ListingSource listing() const;
    class Clipboard& clipboard();
    void buildMenus();
    void place(QWidget* w, const PartGeometry& part);
    void placeLabel(QLabel* label, const PartGeometry& part);
    void layoutForSize();
    void folderChosen();
    void firstActivation();
    void applyFilterFromBox();
    void scanFolder();
    // Runs a slot's work; what it throws ends here as a message.
    void guarded(const std::function<void()>& work);
    void showStatus(const QString& text, bool rightAligned);

    Session& m_session;
    ProcessLauncher& m_launcher;
    RenamePass* m_rename;
    FileSearch* m_search;
    Shredder* m_shredder;
    class Clipboard* m_clipboard;
    bool m_activated = false;
    bool m_statusCountsCollisions = false; // the status label shows the collision count
    // The list view reports header clicks and picked dates; the session acts on them.
    void connectListView();
};
