// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "filelist/FileListModel.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <vector>

class Session;

// The Search menu: narrows the list to the files whose current name
// (searchNames) or whose content (searchContents) holds a text the person
// types into the input box (title "Search"). Names are compared letter for
// letter, regardless of letter case unless the window's "Match case" is
// ticked; contents byte for byte with the text's UTF-8 bytes, so letter case
// counts there, as the content prompt says. The matches replace the list as
// if the folder held only them, the last listed position follows, and new
// names are generated for them. When nothing
// matches, "No files found..." is shown and the list stays as it was.
//
// Files are read in chunks, so a file of any size costs a fixed amount of
// memory; a chunk keeps the last (text length - 1) bytes of the one before,
// so a text across two chunks is found as if the file were read whole. A file
// that cannot be read, or has gone, does not match and the search goes on.
// Files are taken from the listed folder (Session::folderPath), whatever the
// current folder has become since.
class FileSearch : public QObject
{
    Q_OBJECT
public:
    enum class Outcome {
        Replaced,  // the list now holds the matches
        NoneFound, // "No files found..." was shown; the list is unchanged
        Cancelled, // the content search was given no text; nothing happened
    };

    static constexpr qsizetype DefaultChunkSize = 256 * 1024;

    explicit FileSearch(Session& session, QObject* parent = nullptr);

    // The two entries of the menu. caption is the window's caption, put back
    // (captionChanged) when the search ends.
    Outcome searchNames(const QString& caption = QString());
    Outcome searchContents(const QString& caption = QString());

    // Whether the name search tells capitals from small letters (not by default).
    void setNameCaseSensitivity(Qt::CaseSensitivity sensitivity) { m_nameCase = sensitivity; }

    // The content test alone: does the file at path hold needle? Reads it in
    // chunks of chunkSize bytes (tests use small ones to cross many seams).
    bool fileContains(const QString& path, const QByteArray& needle,
                      qsizetype chunkSize = DefaultChunkSize);

    static QString namePrompt();
    static QString contentPrompt();

signals:
    // "Searching File " + name while the content search reads that file,
    // then the caption given to search.
    void captionChanged(const QString& caption);

private:
    void collectByName(const QString& text, FileListModel::Rows& rows);
    void collectByContent(const QString& text, FileListModel::Rows& rows);
    void addRow(FileListModel::Rows& rows, const QString& name);
    Outcome finish(FileListModel::Rows&& rows);

    Session& m_session;
    Qt::CaseSensitivity m_nameCase = Qt::CaseInsensitive;
    // Kept between files and chunks so that reading allocates nothing per chunk.
    std::vector<char> m_carry;
    std::vector<char> m_seam;
};
