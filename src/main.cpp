#include "app/ScreenCheck.h"
#include "app/Session.h"
#include "app/widgets/QtPrompter.h"
#include "app/widgets/VelloZarurad.h"
#include "platform/FileSystem.h"
#include "platform/widgets/QtClipboard.h"

#include <QApplication>
#include <QScreen>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillon"));
    QtPrompter prompter;
    const QSize screen = QGuiApplication::primaryScreen()->size();
    if (!ScreenCheck::passes(screen.width(), screen.height(), prompter))
        return 1;
    Session session(FileSystem::instance(), prompter);
    VelloZarurad window(session);
    prompter.setParent(&window);
    window.show();
    return app.exec();
}
