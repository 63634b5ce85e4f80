// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include <optional>

class FileSystem;
class Session;

// The Shredder menu: overwrites files before deleting them, either the file
// the "Shred File... NAME" entry names (shredCurrentFile) or every listed file
// (shredAllFiles, under "Shred ALL FILES in Current Directory..."), and
// rescans the folder at the end whatever happened.
//
// The entry names the file of the last clicked row, and acts on that name
// only, looked up in the listed folder after a Yes to "Shred PATH? ...". Any
// new listing (a scan, another folder or filter, a search) takes it away, as
// forgetFile() does for a sort: a choice made on one list never shreds a
// file of another.
//
// One file: attributes cleared (so a read-only file is shredded too), three
// passes writing (size + 1) zero bytes from its first byte without
// truncating, delete, re-create holding the two bytes 04 00, delete again.
// The size is the larger of the one the list shows and the one on disk, so a
// file that grew since the scan is overwritten whole.
// Nothing outside the folder is touched: a listed symbolic link is shredded
// as the link itself (removed; its target is never opened), and an entry that
// has become a folder since the scan is not deleted.
//
// A regular file with more than one name (hard links) is not overwritten:
// its other names, perhaps outside the folder, share the data. It gets a
// message of its own ("... was not shredded: ...") and the run goes on.
//
// Any other failure stops with one message: "Cannot Shred from Readonly
// Media" for a path or file access error (75), else "Could not Shred file "
// + path + "..." (shredCurrentFile, also for a named file that is gone) or
// "Could not Shred from " + folder + "..." (shredAllFiles).
class Shredder : public QObject
{
    Q_OBJECT
public:
    explicit Shredder(Session& session, QObject* parent = nullptr);

    // A click on the row at this list position names its file in the
    // entry's caption and shows the entry.
    void rowClicked(int position);
    // Hides the entry: the list it was chosen on is gone.
    void forgetFile();
    void shredCurrentFile(); // the file the entry names, if the person says Yes
    void shredAllFiles();    // every listed file, status telling which

    QString shredEntryCaption() const { return m_shredEntryCaption; }
    bool shredEntryVisible() const { return m_shredEntryVisible; }
    QString status() const { return m_status; }

    // The overwrite-and-delete sequence for one file; a file error code, or
    // HardLinked when the file was left whole.
    static int shred(FileSystem& fs, const QString& path, qint64 listedSize);
    static constexpr int HardLinked = -1;
    static QString hardLinkedMessage(const QString& path);

signals:
    void shredEntryChanged(const QString& caption, bool visible);
    void statusChanged(const QString& text);

private:
    qint64 listedSize(int position) const;
    void reportOneFile(int error, const QString& path);
    void setShredEntry(const QString& caption, bool visible);
    void setStatus(const QString& text);
    void finish();

    Session& m_session;
    QString m_shredEntryCaption;
    std::optional<QString> m_namedFile; // the name the entry shreds, while shown
    qint64 m_namedSize = 0;
    bool m_shredEntryVisible = false;
    QString m_status;
    bool m_running = false;
};
