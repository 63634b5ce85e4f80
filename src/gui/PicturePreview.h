// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/PictureReader.h"

#include <QRect>
#include <QWidget>

class FileSystem;

// The full-screen picture preview: a black window as large as the screen
// with the picture centred on it, at its own size or shrunk to fit the screen
// with its proportions kept. A click anywhere (or Escape) closes it, and
// every file the program has open is closed with it. A file that cannot be
// read as a picture gives the empty black window, which closes the same way.
class PicturePreview : public QWidget
{
    Q_OBJECT
public:
    PicturePreview(const PictureReader::Picture& picture, FileSystem& fs,
                   QWidget* parent = nullptr);

    // Opens the preview of the file, not modal; it deletes itself when closed.
    static PicturePreview* showPicture(const QString& name, FileSystem& fs);
    // The list's double click (see OpenAction); with a prompter, a picture
    // that cannot be read is named in a message instead of the empty preview.
    static void openListedFile(const QString& name, FileSystem& fs, QWidget* owner = nullptr,
                               class Prompter* prompter = nullptr);
    // The message for a file that is no readable picture.
    static QString unreadableText(const QString& name);

    // The picture's rectangle on a screen of the given size: centred, at its
    // own size when it fits, else shrunk by the one factor that fits both
    // sides, so the whole picture is seen with its proportions.
    static QRect placement(const QSize& picture, const QSize& screen);

    QRect pictureRect() const { return placement(m_picture.size, size()); }
    const PictureReader::Picture& picture() const { return m_picture; }
    bool isEmptyPreview() const { return m_picture.isNull(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    static PicturePreview* present(const PictureReader::Picture& picture, FileSystem& fs);
    void unload();

    PictureReader::Picture m_picture;
    FileSystem& m_fs; // closes every open file when the preview goes
};
