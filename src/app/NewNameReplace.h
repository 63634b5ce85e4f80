// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class FileListModel;
class Prompter;
class Session;

// The Replace button and the list's replaceInNewNames: edits every
// proposed new name in place. Unlike the generator's replace step, the
// search ignores letter case, and "#" becomes the file's record number
// (the "No." column) without padding, whatever the shown order.
class NewNameReplace
{
public:
    static constexpr int MaxLength = 254;

    // For every record in record order: replaces every occurrence of searchFor
    // (letter case ignored; an empty searchFor replaces nothing) by replaceWith as typed,
    // then every "#" by the record number. A name that grows beyond 254
    // characters stays in its record, the message "Stopping File - <record
    // index> <name> name is too long..." is shown and later records are left
    // alone. Redraws the list. Returns false when it stopped at that message.
    static bool replaceInNewNames(FileListModel& model, const QString& searchFor,
                                  const QString& replaceWith, Prompter& prompter);
    // The Replace button: replaceInNewNames with the texts of the replace pair.
    static bool replaceFromBoxes(Session& session);
};
