// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Drives the file list for bench/listview and prints one line per
// measurement: "<seconds> <peak KiB> <detail>".
//
//   listview-bench COUNT NAMESFILE
//
// Builds a list of COUNT files (and one of 1,000 beside it), draws a
// 1280 x 1080 list into an image with each, scrolls with End, Home and the
// thumb, sorts by name, size and creation date, and writes the names to
// NAMESFILE (one per line, scan order) for a comparison with sort -f.
#include "BenchReport.h"
#include "controls/FileListView.h"
#include "controls/PropertyBag.h"
#include "controls/ScrollBar.h"
#include "filelist/FileListModel.h"
#include "filelist/ListColumns.h"
#include "filelist/ListSorter.h"
#include "platform/DateText.h"
#include "platform/NumberText.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>

#include <algorithm>
#include <cstdio>
#include <random>
#include <sys/resource.h>
#include <time.h>

namespace
{

using BenchReport::peakKiB;

void report(double seconds, const QString& detail)
{
    BenchReport::line(seconds, detail);
}

// Names as cameras, scanners and people make them, in no particular order.
QString nameFor(std::mt19937& rng)
{
    static const char* const words[] = {"Holiday", "report", "IMG",   "DSC",   "Budget",  "letter",
                                        "scan",    "Photo",  "notes", "Draft", "invoice", "Music"};
    static const char* const exts[] = {".jpg", ".JPG", ".txt", ".pdf", ".docx", ".mp3"};
    QString name = QString::fromLatin1(words[rng() % 12]);
    name += rng() % 2 ? QLatin1Char('_') : QLatin1Char(' ');
    name += QString::number(rng() % 1000000);
    if (rng() % 5 == 0)
        name += QStringLiteral(" (%1)").arg(rng() % 10);
    return name + QString::fromLatin1(exts[rng() % 6]);
}

void fill(FileListModel& model, int count, const QString& namesFile)
{
    std::mt19937 rng(20240601u);
    FileListModel::Rows rows;
    rows.reserve(count, 72);
    QFile out(namesFile);
    const bool writeNames = !namesFile.isEmpty() && out.open(QIODevice::WriteOnly);
    QByteArray lines;
    for (int i = 0; i < count; ++i) {
        const QString name = nameFor(rng);
        const qint64 created = 1262304000 + qint64(rng() % 441504000u); // 2010 to 2023
        rows.append(DateText::fromEpoch(created), DateText::fromEpoch(created + rng() % 86400),
                    name, {}, NumberText::grouped(qint64(rng()) * (rng() % 4 + 1) / 3));
        if (writeNames) {
            lines += name.toUtf8();
            lines += '\n';
        }
    }
    if (writeNames)
        out.write(lines);
    model.setRows(std::move(rows));
}

void configure(FileListView& list)
{
    PropertyBag bag;
    FileListLook::mainWindowDesign(bag);
    list.readProperties(bag);
    list.setShownColumns(5);
    list.resize(1280, 1080);
}

// Processor seconds of this thread: a busy machine stretches wall time
// far more than the work itself.
double cpuSeconds()
{
    timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

double median(std::vector<double> v)
{
    std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
    return v[v.size() / 2];
}

// Processor seconds per redraw of the list into an image with each model,
// the median of many redraws taken in turns, so a busy moment of the
// machine falls on both alike.
std::pair<double, double> redrawSeconds(FileListView& list, QImage& image, FileListModel& a,
                                        FileListModel& b, int runs)
{
    std::vector<double> times[2];
    for (int i = 0; i < runs; ++i) {
        for (int k = 0; k < 2; ++k) {
            list.setModel(k == 0 ? &a : &b);
            const double start = cpuSeconds();
            list.render(&image);
            times[k].push_back(cpuSeconds() - start);
        }
    }
    return {median(times[0]), median(times[1])};
}

// One input event on a widget, then the redraw it causes.
template <class Event>
double inputSeconds(QWidget* target, Event& event, FileListView& list, QImage& image)
{
    QElapsedTimer t;
    t.start();
    QApplication::sendEvent(target, &event);
    list.render(&image);
    return t.nsecsElapsed() / 1e9;
}

void measureScrolling(FileListView& list, QImage& image)
{
    ScrollBar* bar = list.scrollBar();
    QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::NoModifier);
    const double endSeconds = inputSeconds(bar, end, list, image);
    report(endSeconds, QStringLiteral("End and redraw (top row %1)").arg(list.topRow()));
    QKeyEvent home(QEvent::KeyPress, Qt::Key_Home, Qt::NoModifier);
    report(inputSeconds(bar, home, list, image), QStringLiteral("Home and redraw"));
    const QPoint thumb = bar->thumbRect().center();
    QMouseEvent press(QEvent::MouseButtonPress, thumb, bar->mapToGlobal(thumb), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &press);
    const QPoint middle(thumb.x(), bar->height() / 2);
    QMouseEvent move(QEvent::MouseMove, middle, bar->mapToGlobal(middle), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    const double dragSeconds = inputSeconds(bar, move, list, image);
    report(
        dragSeconds,
        QStringLiteral("thumb dragged to the middle and redraw (top row %1)").arg(list.topRow()));
    QMouseEvent release(QEvent::MouseButtonRelease, middle, bar->mapToGlobal(middle),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &release);
}

// Wall seconds of each sort, with the processor seconds in the detail.
void measureSorts(FileListView& list, int count)
{
    ListSorter sorter = ListColumns::newSorter();
    QObject::connect(&list, &FileListView::headerClicked, &list,
                     [&](int column) { sorter.sortByHeader(list.model(), column); });
    const struct {
        int column;
        const char* label;
    } sorts[] = {{3, "Current Filenames"}, {5, "Size"}, {1, "Creation Dates"}};
    for (const auto& s : sorts) {
        QElapsedTimer t;
        t.start();
        const double cpu = cpuSeconds();
        list.sortButton(s.column)->click();
        const double wall = t.nsecsElapsed() / 1e9;
        report(wall, QStringLiteral("sort by \"%1\", %2 files (processor %3 s)")
                         .arg(QString::fromLatin1(s.label))
                         .arg(count)
                         .arg(cpuSeconds() - cpu, 0, 'f', 3));
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int count = args.size() > 1 ? args[1].toInt() : 1000001;
    const QString namesFile = args.size() > 2 ? args[2] : QString();

    FileListModel small;
    fill(small, 1000, QString());
    FileListModel big;
    QElapsedTimer t;
    t.start();
    fill(big, count, namesFile);
    report(t.nsecsElapsed() / 1e9, QStringLiteral("building a list of %1 files").arg(count));

    FileListView list;
    configure(list);
    QImage image(list.size(), QImage::Format_RGB32);
    list.setModel(&small);
    list.render(&image); // fonts and glyphs loaded once
    const auto [smallTime, bigTime] = redrawSeconds(list, image, small, big, 200);
    report(smallTime, QStringLiteral("redraw, 1,000 files (%1 x %2, processor time)")
                          .arg(image.width())
                          .arg(image.height()));
    report(bigTime, QStringLiteral("redraw, %1 files (ratio %2)")
                        .arg(count)
                        .arg(bigTime / smallTime, 0, 'f', 2));
    measureScrolling(list, image);
    measureSorts(list, count);
    const double start = cpuSeconds();
    list.render(&image);
    report(cpuSeconds() - start, QStringLiteral("redraw after the sorts (processor time)"));
    return 0;
}
