// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class Clipboard;
class FileListModel;
class Prompter;
class Session;

// "Copy New Filenames..." and "Paste New Filenames..." (copy and paste):
// the proposed names travel through the clipboard as plain text,
// one name per list position in the shown order, every line ended by CR LF,
// so they can be edited in any text editor and brought back.
class NewNameClipboard
{
public:
    // The copied text: every proposal from position 0 to fileLast, each
    // followed by CR LF.
    static QString copyText(const FileListModel& model, int fileLast);

    // Applies pasted text: "/", "\" and ":" are removed, the text is split at
    // CR LF (LF alone does not end a line), lines beyond the last position
    // are dropped, and then the number of lines must equal the number of
    // files, else the message "Cannot continue / The number of new file
    // name's don't match old.." is shown and nothing changes. An empty line
    // keeps that position's proposal. A non-empty text while no file is
    // listed also gets the message: there is nothing to paste it to. An
    // empty text then matches and changes nothing. Redraws the list. Returns
    // false when the message was shown.
    static bool pasteText(FileListModel& model, int fileLast, const QString& text,
                          Prompter& prompter);

    // The menu entries, with the session's list.
    static void copy(Session& session, Clipboard& clipboard);
    static bool paste(Session& session, const Clipboard& clipboard);

    static QString countMessage();
    // The status line after a copy or a paste of count names.
    static QString copiedText(int count);
    static QString pastedText(int count);
};
