// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LoggingFileSystem.h"
#include "PromptRecorder.h"
#include "TempFolder.h"

#include "ListRows.h"
#include "app/Session.h"

#include <QMap>

using Files = QMap<QString, QByteArray>; // file name -> content

inline Files contentsOf(const TempFolder& dir)
{
    Files out;
    for (const QString& name : dir.names())
        out.insert(name, dir.read(name));
    return out;
}

// The current names of a session's list, in list order.
inline QStringList listedNames(const Session& session)
{
    QStringList out;
    for (int p = 0; p <= session.lastPosition(); ++p)
        out << session.model().currentNameAt(p);
    return out;
}

// A temporary folder holding the given files, listed as the window lists it:
// a session over the logging file system and the prompt recorder.
struct ScannedFolder {
    explicit ScannedFolder(const Files& files = {})
    {
        for (auto it = files.begin(); it != files.end(); ++it)
            dir.write(it.key(), it.value());
        scan(dir.path());
    }
    void scan(const QString& folder)
    {
        session.setFolder(folder);
        session.scanFolder();
    }
    // The list holds just these names, in this order (as after a search).
    void narrowTo(const QStringList& names)
    {
        QStringList rows;
        for (const QString& name : names)
            rows << QStringLiteral("||") + name + QStringLiteral("||");
        session.model().setRows(ListRows::fromTexts(rows));
        session.setLastPosition(int(names.size()) - 1);
    }
    QStringList names() const { return listedNames(session); } // in list order
    Files contents() const { return contentsOf(dir); }

    TempFolder dir;
    LoggingFileSystem fs;
    PromptRecorder prompter;
    Session session{fs, prompter};
};
