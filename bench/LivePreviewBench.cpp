// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The Template and Expression panel on the folder given: types a template
// key by key as fast as the window takes keys, then waits for the New
// Filenames column to show the names of the last text. Prints
// "<seconds from the last key to the column> <longest key, seconds> <files>".
#include "app/NameProposals.h"
#include "app/Session.h"
#include "gui/MainWindow.h"
#include "gui/NamesPanel.h"
#include "gui/QtPrompter.h"
#include "gui/WindowMenus.h"
#include "platform/PosixFileSystem.h"
#include "platform/SystemProcessLauncher.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>

#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc < 2 || chdir(argv[1]) != 0) {
        fprintf(stderr, "usage: live-preview-bench FOLDER\n");
        return 2;
    }
    QApplication app(argc, argv);
    PosixFileSystem fs;
    QtPrompter prompter;
    Session session(fs, prompter);
    SystemProcessLauncher launcher;
    MainWindow window(session, launcher);
    window.show();
    while (!window.activated())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    session.awaitNames(); // the first window's names
    window.menus->namesPanelAction->trigger();
    QLineEdit* box = window.namesPanel->templateBox;
    box->setFocus();
    const QString text = QStringLiteral("{n:7}_{name}-x{ext}");
    const QString last = QStringLiteral("0000001_") +
                         session.model().currentNameAt(0).section(QLatin1Char('.'), 0, 0) +
                         QStringLiteral("-x");
    QElapsedTimer clock;
    qint64 longestKey = 0;
    for (QChar c : text) {
        clock.start();
        QTest::keyClick(box, c.toLatin1());
        longestKey = qMax(longestKey, clock.nsecsElapsed());
    }
    clock.start();
    while (!session.model().newNameAt(0).startsWith(last))
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    printf("%.3f %.3f %d files\n", clock.nsecsElapsed() / 1e9, longestKey / 1e9,
           session.lastPosition() + 1);
    fflush(stdout);
    _exit(0);
}
