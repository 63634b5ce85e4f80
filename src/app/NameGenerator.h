// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class FileListModel;
class Prompter;
class Session;

// The new-name generator (generateNames): proposes one new name for every
// listed file, in list position order, and writes it into the model as the
// position's new name. Nothing on disk changes here.
//
// The pattern is a template ("#" is the running number, "+" the current name)
// or one of the keywords "Case", "UpperCase", "LowerCase", "Random Lowercase",
// "Random UPPERcase" and "Replace Only". The number is k + 1 for list position
// k, padded with the padding text and cut to its width, so the numbering
// follows the shown order. A pattern that is none of these (not empty, no "#",
// no "+", no keyword) would give every file the same name: the run shows a
// message and writes nothing.
//
// A run keeps no state and does not yield to the event loop. It builds each
// name in one pass over the current name, so a million records take a fraction
// of a second.
class NameGenerator
{
public:
    struct Inputs {
        QString pattern;     // the pattern box
        QString padding;     // the padding box: its length is the width of the number
        QString extension;   // the extension box; ".???" keeps each file's own extension
        QString replaceWhat; // the replace pair
        QString replaceWith; // and what replaces it
    };

    static QString keepExtension();   // ".???"
    static QString sameNameMessage(); // "All new file names cannot be the same..."
    static QString sameItem();        // "Same", the pattern box item that empties the pattern
    // Whether the pattern numbers the files ("#" and no keyword), so that its
    // names depend on the order shown.
    static bool isNumbered(const QString& pattern);

    // Proposes names for positions 0..fileLast. Returns false when it stopped
    // at the message (no proposal changed). Redraws the list at the end.
    static bool run(FileListModel& model, int fileLast, const Inputs& inputs, Prompter& prompter);
    // The Generate button: run() with the session's boxes. Tells the session
    // whether its names now follow the shown order (see Session::sortByHeader).
    static bool generateNames(Session& session);

    // The key filter of the pattern, extension and replace boxes (FileName): false for the
    // characters a file name cannot hold ( | * " / : < > ? \ ), which are
    // discarded as they are typed. "#", "+" and "." are accepted.
    static bool keyAccepted(QChar key);

    // The other triggers of a run, for the window's event handlers. Each
    // takes the session whose boxes the window keeps current.
    // A list item chosen in the pattern box: "Same" empties the pattern; then a run.
    static void patternItemChosen(Session& session, const QString& item);
    // A key typed in the pattern box: Enter (13) starts a run. Returns whether the
    // character is kept.
    static bool patternKeyTyped(Session& session, QChar key);
    // A key typed in the extension box: a run with the box as it stands before the key is
    // inserted (the window calls this before inserting). Every key press runs,
    // discarded ones included. Returns whether the character is kept.
    static bool extensionKeyTyped(Session& session, QChar key);
    // A list item chosen in the extension or padding box sets the box, then a run.
    // Typing in the padding box starts no run; the next run reads the typed padding.
    static void extensionItemChosen(Session& session, const QString& item);
    static void paddingItemChosen(Session& session, const QString& item);
};
