// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

class FileSystem;
class ShellOpen;

// A double click on a listed file: a picture is shown in the full-screen
// preview, any other file is opened with the program the desktop associates
// with it, and a program is never started.
//
// The window names the file by its full path in the listed folder; a bare
// name is found in the current folder.
class OpenAction
{
public:
    enum class Action { Preview, Open, Nothing };

    // A picture type occurs anywhere in the lower-cased name, so
    // "holiday.JPG" and "scan.bmp.txt" both count.
    static bool isPictureName(const QString& name);
    // A program: the name holds ".exe", it is a ".desktop" launcher, or the
    // file has an execute bit.
    static bool isProgram(const QString& name);

    // What a double click on the file does. Pictures are tested first: a
    // preview only reads the file, so even an executable "photo.jpg.sh" is
    // safe there (it shows the empty preview).
    static Action decide(const QString& name);

    // Runs the double click: preview(name) for a picture, shell.open(full
    // path) for anything else that is not a program. Returns what was done.
    static Action openListedFile(const QString& name, ShellOpen& shell,
                                 const std::function<void(const QString&)>& preview,
                                 FileSystem& fs);

    // The full path of a bare name in the current folder, for the desktop.
    static QString fullPath(const QString& name, FileSystem& fs);
};
