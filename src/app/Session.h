// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "filelist/FileListModel.h"
#include "filelist/ListColumns.h"
#include "filelist/ListSorter.h"
#include "filelist/ScanAhead.h"
#include "platform/NameRules.h"

#include <QObject>
#include <QSet>
#include <QString>

#include <memory>

class FileSystem;
class NameProposals;
struct NamingRules;
class NamingOrder;
class Prompter;

// The state the main window keeps for the listed folder, and the operations
// that both front ends run on it: the window and quillon-cli each own one
// Session and call the same operation classes with it.
//
// The inputs (the folder to list, the type filter, the new-name pattern,
// padding and extension, the replace pair) are set as they change: the
// window's boxes feed their setters on every edit, so an operation always
// reads what the person sees. The operations that rewrite an input (a list
// choice, a scan's padding) go through the same setters, whose change
// signals put the text back into the boxes.
class Session : public QObject
{
    Q_OBJECT
public:
    Session(FileSystem& fs, Prompter& prompter, QObject* parent = nullptr);

    FileSystem& fs() { return m_fs; }
    Prompter& prompter() { return m_prompter; }
    FileListModel& model() { return m_model; }
    const FileListModel& model() const { return m_model; }

    // The folder to list, as typed or chosen.
    const QString& folder() const { return m_folder; }
    void setFolder(const QString& folder) { m_folder = folder; }
    // The file-type filter the scan applies, as the type box reads
    // (TypeFilter: "*.jpg;*.png"; "*" for all).
    const QString& typeFilter() const { return m_typeFilter; }
    void setTypeFilter(const QString& filter) { m_typeFilter = filter; }
    // The last scan listed nothing because the filter matched no file.
    bool noFilesMatch() const;
    static QString noFilesMatchText() { return QStringLiteral("no files match"); }
    // The new-name pattern ("#" marks the number), the padding ("000") and
    // the extension (".???" keeps each file's own).
    const QString& pattern() const { return m_pattern; }
    void setPattern(const QString& pattern);
    const QString& padding() const { return m_padding; }
    void setPadding(const QString& padding);
    const QString& extension() const { return m_extension; }
    void setExtension(const QString& extension);
    // The replace pair: the text to replace in the new names and its
    // replacement.
    const QString& replaceText() const { return m_replaceText; }
    void setReplaceText(const QString& text) { m_replaceText = text; }
    const QString& replaceWith() const { return m_replaceWith; }
    void setReplaceWith(const QString& text) { m_replaceWith = text; }

    // A scan already started for the first listing; scanFolder() takes its
    // result when it read the same folder with the same filter.
    void setScanAhead(std::unique_ptr<ScanAhead> ahead) { m_scanAhead = std::move(ahead); }

    // Results of the last scan: the listed folder with its closing slash and
    // the last list position (-1 for an empty list). A search narrows the
    // list and sets the last position.
    const QString& folderPath() const { return m_folderPath; }
    int lastPosition() const { return m_lastPosition; }
    void setLastPosition(int position) { m_lastPosition = position; }
    // Whether the folder holds more files than the list took.
    bool filesLeftOut() const { return m_filesLeftOut; }

    // The texts of the two date pickers (0 for creation dates, 1 for
    // modified dates), kept current by the list view. A picker's date is
    // pending while record 0 shows the same text (see FileDates).
    const QString& pickerText(int picker) const { return m_pickerText[picker]; }
    void setPickerText(int picker, const QString& text) { m_pickerText[picker] = text; }

    // Whether "Undo Renaming..." may undo the last rename pass: enabled when
    // a pass starts, disabled by an undo that finished and by the folder
    // controls.
    bool undoEnabled() const { return m_undoEnabled; }
    void setUndoEnabled(bool enabled)
    {
        if (enabled != m_undoEnabled) {
            m_undoEnabled = enabled;
            emit undoEnabledChanged(enabled);
        }
    }

    // Applies the type box text as Enter or a list choice does, then scans.
    void applyFilter(const QString& boxText);
    // The folder scan: lists folder(), sets the padding, proposes new names.
    void scanFolder();
    // Makes the new names of the list (the Generate button): the naming
    // stage of naming() with the boxes' inputs, then the collision marks.
    // Returns false when the generator refused its pattern (nothing changed).
    bool generateNames();
    // The template and expression the names are made with (the Template and
    // Expression panel), and whether a pass may take names other listed
    // files give up (Allow Swaps and Shifts). Never null.
    const std::shared_ptr<const NamingOrder>& naming() const { return m_naming; }
    void setNaming(std::shared_ptr<const NamingOrder> naming) { m_naming = std::move(naming); }
    bool swapsAllowed() const { return m_swaps; }
    void setSwapsAllowed(bool allowed) { m_swaps = allowed; }
    // Every input that makes names, as one value (see NamingRules).
    NamingRules namingRules() const;

    // Proposals still being made off the interface thread (NameProposals):
    // every operation that reads new names waits for them here first, and
    // one that makes or replaces names drops them.
    NameProposals& proposals();
    void awaitNames();
    void dropPendingNames();
    // The names made elsewhere for the list as it is, with their marks and
    // the count of those that collide (what checkProposals reports).
    void takeCollisionCount(int count);
    const QSet<QString>& unlistedNames() const { return m_unlistedNames; }

    // How the list is sorted: the column kinds and the column sorted last,
    // shared by the window's header and quillon-cli's --sort.
    ListSorter& sorter() { return m_sorter; }
    const ListSorter& sorter() const { return m_sorter; }
    // A header click: sorts by that column, then, while the new names are the
    // generator's numbered names, numbers them again in the order now shown,
    // so that the pass renames by the numbers a person sees. Names pasted
    // since stay with their files.
    void sortByHeader(int column);
    void setNamesFollowOrder(bool follow) { m_namesFollowOrder = follow; }
    bool namesFollowOrder() const { return m_namesFollowOrder; }
    // A list of at least this many files gets the names of its first rows
    // from the scan and the others from NameProposals after it, so the
    // window shows before a million names are made (0: all at once, as
    // quillon-cli needs them).
    void setBackgroundNamesFrom(int files) { m_backgroundFrom = files; }
    static constexpr int FirstNames = 256; // more rows than any screen shows
    // Marks the proposals that collide (NameCollisions) with each other or
    // with a name of the folder that stays; called whenever the new names or
    // their order change. Reports the count with collisionsChanged.
    void checkProposals();
    // What the listed folder's disk accepts (read at each scan); with
    // Windows names forced, its rules hold on any disk (a copy that goes
    // to such a disk later).
    const NameRules& nameRules() const { return m_nameRules; }
    void forceWindowsNames(bool force)
    {
        m_forceWindowsNames = force;
        m_nameRules.windowsNames |= force;
    }
    int collisionCount() const { return m_collisions; }

signals:
    void patternChanged(const QString& pattern);
    void paddingChanged(const QString& padding);
    void extensionChanged(const QString& extension);
    void scanned();
    void undoEnabledChanged(bool enabled);
    void collisionsChanged(int count);
    void proposalsChanged(); // new names or their marks changed

private:
    FileSystem& m_fs;
    Prompter& m_prompter;
    FileListModel m_model;
    QString m_folder;
    QString m_typeFilter = QStringLiteral("*");
    QString m_pattern = QStringLiteral("New_Filename_#");
    QString m_padding = QStringLiteral("00000");
    QString m_extension = QStringLiteral(".???");
    QString m_replaceText;
    QString m_replaceWith;
    QString m_folderPath;
    std::unique_ptr<ScanAhead> m_scanAhead;
    QString m_pickerText[2];
    int m_lastPosition = -1;
    bool m_filesLeftOut = false;
    bool m_undoEnabled = false;
    bool m_namesFollowOrder = false;
    QSet<QString> m_unlistedNames; // of the listed folder, from the last scan
    int m_collisions = 0;
    NameRules m_nameRules;
    bool m_forceWindowsNames = false;
    ListSorter m_sorter = ListColumns::newSorter();
    std::shared_ptr<const NamingOrder> m_naming;
    bool m_swaps = false;
    int m_backgroundFrom = 0;
    NameProposals* m_proposals = nullptr; // a child, made when first asked for
};
