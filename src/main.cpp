// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Version.h"
#include "app/ScreenCheck.h"
#include "app/Session.h"
#include "app/StartFolder.h"
#include "filelist/ScanAhead.h"
#include "gui/MainWindow.h"
#include "gui/QtClipboard.h"
#include "gui/QtPrompter.h"
#include "platform/FileNameCodec.h"
#include "platform/PosixFileSystem.h"
#include "platform/SystemProcessLauncher.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QScreen>

#include <cstdio>
#include <memory>
#include <optional>

namespace
{

const char* const UsageText = "Usage: quillon [FOLDER]\n"
                              "Lists FOLDER (default: the current folder) in the Quillon window;\n"
                              "a file stands for its folder.\n"
                              "  --version   print the version\n"
                              "  -h, --help  print this text\n";

// Reads the command line before the toolkit starts, so that --version and
// --help need no display. Returns an exit status when the program ends here.
std::optional<int> readArguments(int argc, char** argv, QString& folder)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << FileNameCodec::decode(QByteArray(argv[i])); // names are bytes
    QCommandLineParser parser;
    parser.addOption(QCommandLineOption(QStringLiteral("version")));
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}));
    if (!parser.parse(arguments) || parser.positionalArguments().size() > 1) {
        std::fprintf(stderr, "quillon: %s\n%s",
                     qPrintable(parser.errorText().isEmpty() ? QStringLiteral("one folder at most")
                                                             : parser.errorText()),
                     UsageText);
        return 2;
    }
    if (parser.isSet(QStringLiteral("version")))
        std::fputs("quillon " QUILLON_VERSION "\n", stdout);
    else if (parser.isSet(QStringLiteral("help")))
        std::fputs(UsageText, stdout);
    else {
        folder = parser.positionalArguments().value(0);
        return std::nullopt;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QString folder;
    if (const std::optional<int> status = readArguments(argc, argv, folder))
        return *status;
    PosixFileSystem fs; // the one file system every part of the window uses
    // A folder that cannot be entered is said once the window can say it,
    // and the window lists the current folder instead.
    const bool entered = folder.isEmpty() || StartFolder::enter(fs, folder) == 0;
    // The start folder is read while the toolkit and the window are set up.
    auto ahead = std::make_unique<ScanAhead>(fs, fs.currentFolder(), QStringLiteral("*"));
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillon"));
    QApplication::setApplicationVersion(QStringLiteral(QUILLON_VERSION));
    QtPrompter prompter;
    // The monitor's own pixels: a 1920 x 1080 laptop at 150 % has a logical
    // screen of 1280 x 720 and device pixels to spare.
    const QScreen* primary = QGuiApplication::primaryScreen();
    const QSize screen = primary->size() * primary->devicePixelRatio();
    if (!ScreenCheck::passes(screen.width(), screen.height(), prompter))
        return 1;
    if (!entered)
        prompter.message(QStringLiteral("Quillon cannot open the folder \"%1\".").arg(folder));
    Session session(fs, prompter);
    session.setScanAhead(std::move(ahead));
    SystemProcessLauncher launcher;
    MainWindow window(session, launcher);
    prompter.setParent(&window);
    window.show();
    return app.exec();
}
