// Drives the real core classes for bench/run and prints one line per
// measurement: "<seconds> <peak KiB> <detail>".
#include "filelist/FileListModel.h"
#include "filelist/FolderScan.h"
#include "platform/FileSystem.h"
#include "platform/Prompter.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <sys/resource.h>

namespace
{

class SilentPrompter : public Prompter
{
public:
    void message(const QString& text) override { fprintf(stderr, "%s\n", qPrintable(text)); }
    FailureAnswer failure(const QString& text) override
    {
        message(text);
        return FailureAnswer::Stop;
    }
    std::optional<QString> input(const QString&, const QString&, const QString&) override
    {
        return std::nullopt;
    }
    void setBusy(bool) override {}
    void processEvents() override {}
};

long peakKiB()
{
    struct rusage ru;
    getrusage(RUSAGE_SELF, &ru);
    return ru.ru_maxrss;
}

void report(double seconds, const QString& detail)
{
    printf("%.3f %ld %s\n", seconds, peakKiB(), qPrintable(detail));
    fflush(stdout);
}

// The folder scan to a loaded model, without generating names.
int scan(const QString& folder)
{
    QElapsedTimer t;
    t.start();
    FileListModel model;
    FileListModel::Rows rows;
    const auto result = FolderScan::scan(FileSystem::instance(), folder, QStringLiteral("*"), rows);
    model.AddArray(std::move(rows));
    report(t.nsecsElapsed() / 1e9, QString::number(result.fileLast + 1) + QStringLiteral(" files"));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 3 && args[1] == QLatin1String("scan"))
        return scan(args[2]);
    fprintf(stderr, "usage: quillon-bench scan FOLDER\n");
    return 2;
}
