// listview-demo [FOLDER] [--sort COLUMN]...: the file list of the main window
// alone, with its captions, column kinds and saved settings, showing FOLDER
// (default the current folder). Each --sort is one header click (0..6).
#include "app/Session.h"
#include "controls/FileListView.h"
#include "platform/PosixFileSystem.h"
#include "platform/PropertyBag.h"
#include "platform/StderrPrompter.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

namespace
{

void configure(FileListView& list)
{
    PropertyBag bag;
    FileListView::mainWindowDesign(bag);
    list.readProperties(bag);
    list.setToolTip(QStringLiteral("Double click to open file..."));
    const char* captions[] = {
        "No.", "Creation Dates", "Modified Dates", "Current Filenames", "New Filenames", "Size"};
    for (int i = 0; i < 6; ++i)
        list.NameButton(i, QString::fromLatin1(captions[i]));
    for (auto [column, kind] : {std::pair{1, 3}, {2, 3}, {3, 1}, {4, 1}, {5, 4}})
        list.ASearchTypes(column, kind);
    list.setcSelect(5);
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
    StderrPrompter prompter;
    PosixFileSystem fs;
    Session session(fs, prompter);
    if (!args.isEmpty())
        session.setFolder(QDir(args.first()).absolutePath());
    FileListView list;
    configure(list);
    list.setSession(&session);
    list.resize(1000, 560);
    list.setWindowTitle(QStringLiteral("Quillon list: ") + session.folder());
    session.scanFolder();
    for (int c : clicks)
        list.SortButton_Click(c);
    list.show();
    return app.exec();
}
