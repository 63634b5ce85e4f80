// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Drives the real core classes for bench/run and prints one line per
// measurement: "<seconds> <peak KiB> <detail>".
#include "BenchReport.h"
#include "StderrPrompter.h"
#include "app/NameGenerator.h"
#include "app/NameTemplate.h"
#include "app/RenameJournal.h"
#include "app/RenamePass.h"
#include "app/Session.h"
#include "filelist/FileListModel.h"
#include "filelist/FolderScan.h"
#include "filelist/ListSorter.h"
#include "filelist/NameCollisions.h"
#include "filelist/NaturalOrder.h"
#include "output/ListingExport.h"
#include "platform/PosixFileSystem.h"
#include "platform/SplitWork.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

namespace
{

// The file system the measured work goes through, as the program has it.
FileSystem& fileSystem()
{
    static PosixFileSystem fs;
    return fs;
}

using BenchReport::peakKiB;

void report(double seconds, const QString& detail)
{
    BenchReport::line(seconds, detail);
}

// The folder scan to a loaded model, without generating names; on one
// thread when asked.
int scan(const QString& folder, bool oneThread)
{
    if (oneThread)
        SplitWork::setMaxParts(1);
    QElapsedTimer t;
    t.start();
    FileListModel model;
    FileListModel::Rows rows;
    const auto result = FolderScan::scan(fileSystem(), folder, QStringLiteral("*"), rows);
    model.setRows(std::move(rows));
    report(t.nsecsElapsed() / 1e9, QString::number(result.fileLast + 1) + QStringLiteral(" files"));
    return 0;
}

// The sort by current names (a click on that column's header) of the
// folder's files just scanned.
int sortByName(const QString& folder)
{
    FileListModel model;
    FileListModel::Rows rows;
    const auto result = FolderScan::scan(fileSystem(), folder, QStringLiteral("*"), rows);
    model.setRows(std::move(rows));
    ListSorter sorter;
    sorter.setColumnKind(3, ListSorter::Text);
    QElapsedTimer t;
    t.start();
    sorter.sortByHeader(model, 3);
    report(t.nsecsElapsed() / 1e9, QString::number(result.fileLast + 1) + QStringLiteral(" files"));
    return 0;
}

// The generator over `count` records named as a camera or a person names
// them, in every mode; one line per mode with the best of three runs, each
// on a list just loaded (no proposals yet), as after a folder scan.
int generate(int count)
{
    FileListModel::Rows rows;
    rows.reserve(count, 48);
    QString name;
    for (int i = 0; i < count; ++i) {
        name = QStringLiteral("Holiday photo IMG_%1.JPG").arg(i, 7, 10, QLatin1Char('0'));
        rows.append({}, {}, name, {}, {});
    }
    const struct {
        const char* label;
        NameGenerator::Inputs inputs;
    } modes[] = {
        {"numbered", {"New_Filename_#", "0000000", ".???", {}, {}}},
        {"front-and-back", {"Front + Back #", "0000000", ".???", {}, {}}},
        {"Case", {"Case", "0", ".???", {}, {}}},
        {"UpperCase", {"UpperCase", "0", ".png", {}, {}}},
        {"LowerCase", {"LowerCase", "0", ".???", {}, {}}},
        {"Random Lowercase", {"Random Lowercase", "0", ".???", {}, {}}},
        {"Replace Only", {"Replace Only", "0", ".???", "IMG", "Holiday"}},
    };
    StderrPrompter prompter;
    for (const auto& mode : modes) {
        double best = 1e9;
        for (int run = 0; run < 3; ++run) {
            FileListModel model;
            model.setRows(FileListModel::Rows(rows));
            QElapsedTimer t;
            t.start();
            NameGenerator::run(model, count - 1, mode.inputs, prompter);
            best = std::min(best, t.nsecsElapsed() / 1e9);
        }
        report(best, QString::fromLatin1(mode.label));
    }
    return 0;
}

// --sort natural over `count` current names as a camera and a person mix
// them (IMG_12.JPG, img_0007.jpg, Holiday 3 take 10.txt), in a shuffled scan
// order; the best of three, each from the scan order.
int naturalSort(int count)
{
    FileListModel::Rows rows;
    rows.reserve(count, 32);
    QString name;
    for (int i = 0; i < count; ++i) {
        // A fixed shuffle of the numbers, the same every run; every name differs.
        const int n = int(qint64(i) * 7919 % count);
        switch (i % 3) {
        case 0:
            name = QStringLiteral("IMG_%1.JPG").arg(n);
            break;
        case 1:
            name = QStringLiteral("img_%1.jpg").arg(n, 7, 10, QLatin1Char('0'));
            break;
        default:
            name = QStringLiteral("Holiday %1 take %2.txt").arg(n % 1000).arg(n / 1000);
        }
        rows.append({}, {}, name, {}, {});
    }
    FileListModel model;
    model.setRows(std::move(rows));
    double best = 1e9;
    for (int run = 0; run < 3; ++run) {
        std::vector<qint32>& order = model.displayOrder();
        for (size_t k = 0; k < order.size(); ++k)
            order[k] = qint32(k);
        QElapsedTimer t;
        t.start();
        NaturalOrder::sortByCurrentName(model);
        best = std::min(best, t.nsecsElapsed() / 1e9);
    }
    report(best, QStringLiteral("natural sort"));
    return 0;
}

// Lets pending events run, as the window does every 20 files of a pass.
class YieldingPrompter : public StderrPrompter
{
public:
    void processEvents() override { QCoreApplication::processEvents(); }
};

// The rename pass as the window runs it (without its final rescan) and with
// its journal written to journalPath from the plan on: the folder's
// fNNNNNN.txt files, shown by name, to New_Filename_MMMMMM.txt with
// M = N + 1.
int rename(const QString& folder, const QString& journalPath)
{
    YieldingPrompter prompter;
    Session session(fileSystem(), prompter);
    session.setFolder(folder);
    session.scanFolder();
    FileListModel& model = session.model();
    std::sort(model.displayOrder().begin(), model.displayOrder().end(),
              [&](int a, int b) { return model.currentNameOf(a) < model.currentNameOf(b); });
    // Six digits as the C loop writes them; seven past 999,999 files, where
    // six would give the last file the first one's number again.
    session.setPadding(QString(session.lastPosition() >= 999999 ? 7 : 6, QLatin1Char('0')));
    session.generateNames();
    RenamePass pass(session);
    QString label; // the RemN label's text
    QObject::connect(&pass, &RenamePass::status, [&label](const QString& text) { label = text; });
    QElapsedTimer t;
    t.start();
    RenameJournal journal; // "-": none, to see what the journal costs
    if (journalPath != QLatin1String("-")) {
        if (pass.beginJournal(journal, journalPath) != 0)
            return 1;
        pass.setJournal(&journal);
    }
    pass.renameFiles(-1);
    report(t.nsecsElapsed() / 1e9,
           QString::number(session.lastPosition() + 1) + QStringLiteral(" files"));
    if (label != RenamePass::completedText())
        return 1;
    // The rescan that ends the pass in the window, then the undo of the
    // pass from its journal (every file back to its old name), without its
    // own rescan.
    t.restart();
    session.scanFolder();
    report(t.nsecsElapsed() / 1e9, QStringLiteral("rescan"));
    if (journalPath == QLatin1String("-"))
        return 0;
    t.restart();
    const RenameJournal::UndoReport undone = RenameJournal::undoFile(fileSystem(), journalPath);
    report(t.nsecsElapsed() / 1e9, QStringLiteral("undo"));
    return undone.complete() ? 0 : 1;
}

// The listing of the folder written in every format, each to its own file
// in outFolder: one line per format.
int exportListing(const QString& folder, const QString& outFolder)
{
    StderrPrompter prompter;
    Session session(fileSystem(), prompter);
    session.setFolder(folder);
    session.scanFolder();
    report(0, QStringLiteral("loaded")); // the peak memory before any export
    const ListingSource source{session.model(), session.lastPosition(), session.folderPath(),
                               session.folder()};
    for (auto type :
         {ListingExport::Type::Csv, ListingExport::Type::Rtf, ListingExport::Type::Xls}) {
        const QString name = outFolder + QStringLiteral("/listing");
        QElapsedTimer t;
        t.start();
        if (!ListingExport::save(source, name, type, prompter, fileSystem()))
            return 1;
        report(t.nsecsElapsed() / 1e9, ListingExport::typeName(type));
    }
    return 0;
}

// {hash:sha256:12} over every file of the folder, as the template panel
// and quillon-cli --template make it (on every core).
int hashNames(const QString& folder)
{
    StderrPrompter prompter;
    Session session(fileSystem(), prompter);
    session.setFolder(folder);
    session.scanFolder();
    QString why;
    const std::optional<NameTemplate> made =
        NameTemplate::create(QStringLiteral("{hash:sha256:12}{ext}"), why);
    QElapsedTimer t;
    t.start();
    made->applyTo(session.model(), session.lastPosition(), fileSystem(), session.folderPath(),
                  [](const QString&, const QString&) {});
    report(t.nsecsElapsed() / 1e9,
           QString::number(session.lastPosition() + 1) + QStringLiteral(" files"));
    return session.model().newNameAt(0).size() == 12 ? 0 : 1;
}

// The collision marks with the Windows names check over count proposals
// (every tenth one a device name), and the same on a disk that folds case.
int checkNames(int count)
{
    FileListModel::Rows rows;
    rows.reserve(count);
    for (int k = 0; k < count; ++k)
        rows.append({}, {}, QStringLiteral("f%1.dat").arg(k),
                    k % 10 == 0 ? QStringLiteral("aux.%1").arg(k)
                                : QStringLiteral("Name_%1.txt").arg(k),
                    u"1");
    FileListModel model;
    model.setRows(std::move(rows));
    // The marks without the disk's rules first, as the measure of the rest.
    for (const int kind : {0, 1, 2}) {
        NameRules rules;
        rules.windowsNames = kind > 0;
        const bool folds = rules.foldsCase = kind == 2;
        QElapsedTimer t;
        t.start();
        const int marked = NameCollisions::mark(model, count - 1, {}, rules);
        report(t.nsecsElapsed() / 1e9,
               QStringLiteral("%1 marked%2")
                   .arg(marked)
                   .arg(folds ? QStringLiteral(", case folded") : QString()));
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 3 && args[1] == QLatin1String("scan"))
        return scan(args[2], args.value(3) == QLatin1String("--one-thread"));
    if (args.size() >= 3 && args[1] == QLatin1String("sort"))
        return sortByName(args[2]);
    if (args.size() >= 3 && args[1] == QLatin1String("generate"))
        return generate(args[2].toInt());
    if (args.size() >= 3 && args[1] == QLatin1String("natural"))
        return naturalSort(args[2].toInt());
    if (args.size() >= 4 && args[1] == QLatin1String("rename"))
        return rename(args[2], args[3]);
    if (args.size() >= 4 && args[1] == QLatin1String("export"))
        return exportListing(args[2], args[3]);
    if (args.size() >= 3 && args[1] == QLatin1String("hash"))
        return hashNames(args[2]);
    if (args.size() >= 3 && args[1] == QLatin1String("checks"))
        return checkNames(args[2].toInt());
    fprintf(stderr, "usage: quillon-bench scan FOLDER [--one-thread] | sort FOLDER | generate "
                    "COUNT | natural COUNT"
                    " | rename FOLDER JOURNAL | export FOLDER OUTFOLDER | hash FOLDER"
                    " | checks COUNT\n");
    return 2;
}
