// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as the program starts it, on the folder given (the path
// box starts at the current folder, so the folder becomes the current one):
// exits at once when the list has painted the folder's files for the first
// time and prints "<seconds since process start> <peak KiB> <files>".
#include "app/Session.h"
#include "controls/FileListView.h"
#include "filelist/ScanAhead.h"
#include "gui/MainWindow.h"
#include "gui/QtPrompter.h"
#include "platform/PosixFileSystem.h"
#include "platform/SystemProcessLauncher.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>

namespace
{

// The file system the measured work goes through, as the program has it.
FileSystem& fileSystem()
{
    static PosixFileSystem fs;
    return fs;
}

// Seconds since this process started, from the kernel's own start time.
double sinceProcessStart()
{
    FILE* f = fopen("/proc/self/stat", "r");
    unsigned long long startTicks = 0;
    if (f) {
        // Field 22 is the start time in clock ticks after boot; the name
        // (field 2) may hold spaces, so skip past its closing ")".
        char line[1024];
        if (fgets(line, sizeof line, f)) {
            const char* p = strrchr(line, ')');
            int field = 2;
            for (; p && *p && field < 22; ++p)
                if (*p == ' ')
                    ++field;
            if (p)
                startTicks = strtoull(p, nullptr, 10);
        }
        fclose(f);
    }
    timespec now;
    clock_gettime(CLOCK_BOOTTIME, &now);
    return now.tv_sec + now.tv_nsec / 1e9 - double(startTicks) / sysconf(_SC_CLK_TCK);
}

// Watches the list for its first paint with the folder's files loaded.
class FirstPaint : public QObject
{
public:
    explicit FirstPaint(FileListView* list, const Session& session)
        : m_list(list), m_session(session)
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (watched == m_list && e->type() == QEvent::Paint && m_session.lastPosition() >= 0 &&
            m_session.model().recordCount() == m_session.lastPosition() + 1 && !m_done) {
            m_done = true;
            // The paint runs after this filter; stop right after it.
            QTimer::singleShot(0, [this] { finish(); });
        }
        return false;
    }

private:
    void finish()
    {
        struct rusage ru;
        getrusage(RUSAGE_SELF, &ru);
        printf("%.3f %ld %d files\n", sinceProcessStart(), ru.ru_maxrss,
               m_session.lastPosition() + 1);
        fflush(stdout);
        _exit(0); // a million rows need no tidying up
    }

    FileListView* m_list;
    const Session& m_session;
    bool m_done = false;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || chdir(argv[1]) != 0) {
        fprintf(stderr, "usage: first-paint-bench FOLDER\n");
        return 2;
    }
    // As the program starts: the folder is read while the window is set up.
    auto ahead = std::make_unique<ScanAhead>(fileSystem(), fileSystem().currentFolder(),
                                             QStringLiteral("*"));
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillon"));
    QtPrompter prompter;
    Session session(fileSystem(), prompter);
    session.setScanAhead(std::move(ahead));
    SystemProcessLauncher launcher;
    MainWindow window(session, launcher);
    prompter.setParent(&window);
    FirstPaint watch(window.fileList, session);
    window.fileList->installEventFilter(&watch);
    window.show();
    return app.exec();
}
