// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// listview-demo [FOLDER] [--sort COLUMN]...: the file list of the main window
// alone, with its saved settings, sorted by the session, showing FOLDER
// (default the current folder). Each --sort is one header click (0..6).
#include "app/Session.h"
#include "controls/FileListView.h"
#include "controls/PropertyBag.h"
#include "filelist/ListSorter.h"
#include "gui/QtPrompter.h"
#include "platform/PosixFileSystem.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>

#include <cstdio>

namespace
{

void configure(FileListView& list)
{
    PropertyBag bag;
    FileListLook::mainWindowDesign(bag);
    list.readProperties(bag);
    list.setToolTip(QStringLiteral("Double click to open file..."));
    list.setShownColumns(5);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QList<int> clicks;
    for (qsizetype i = args.indexOf(QStringLiteral("--sort")); i >= 0 && i + 1 < args.size();
         i = args.indexOf(QStringLiteral("--sort"))) {
        clicks << args[i + 1].toInt();
        args.remove(i, 2);
    }
    QtPrompter prompter;
    PosixFileSystem fs;
    Session session(fs, prompter);
    if (!args.isEmpty())
        session.setFolder(QDir(args.first()).absolutePath());
    FileListView list;
    configure(list);
    list.setModel(&session.model());
    QObject::connect(&list, &FileListView::headerClicked, &list,
                     [&](int column) { session.sorter().sortByHeader(session.model(), column); });
    list.resize(1000, 560);
    list.setWindowTitle(QStringLiteral("Quillon list: ") + session.folder());
    session.scanFolder();
    for (int c : clicks)
        list.sortButton(c)->click();
    list.show();
    return app.exec();
}
