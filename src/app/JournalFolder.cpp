#include "JournalFolder.h"

#include "platform/FileNameCodec.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

bool isJournalName(const QString& name)
{
    return name.startsWith(QLatin1String("rename-")) && name.endsWith(QLatin1String(".journal"));
}

// The folder itself: without its "/", which would make lstat follow a link.
QByteArray folderItself()
{
    return FileNameCodec::encode(JournalFolder::path().chopped(1));
}

bool isOwnFolder(const QByteArray& folder)
{
    struct stat st;
    return ::lstat(folder.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

QString JournalFolder::path()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    // Only an absolute path counts, as for every XDG variable.
    if (!state.startsWith(QLatin1Char('/')))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return QDir::cleanPath(state + QStringLiteral("/quillon")) + QLatin1Char('/');
}

bool JournalFolder::isLink()
{
    struct stat st;
    return ::lstat(folderItself().constData(), &st) == 0 && S_ISLNK(st.st_mode);
}

QString JournalFolder::newJournal()
{
    const QString folder = path();
    const QByteArray itself = folderItself();
    // The folders above are made as usual; the last one is ours alone.
    QDir().mkpath(QFileInfo(folder.chopped(1)).path());
    if (::mkdir(itself.constData(), 0700) != 0 && errno != EEXIST)
        return QString();
    if (!isOwnFolder(itself))
        return QString();
    return folder + QStringLiteral("rename-") +
           QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz")) +
           QLatin1Char('-') + QString::number(::getpid()) + QStringLiteral(".journal");
}

QStringList JournalFolder::journals()
{
    QStringList names;
    const QString folder = path();
    const QByteArray itself = folderItself();
    // Journals are never read, nor pruned, through a link.
    if (!isOwnFolder(itself))
        return names;
    if (DIR* dir = ::opendir(itself.constData())) {
        while (struct dirent* d = ::readdir(dir)) {
            const QString name = FileNameCodec::decode(d->d_name, qsizetype(strlen(d->d_name)));
            if (isJournalName(name))
                names << name;
        }
        ::closedir(dir);
    }
    names.sort();
    for (QString& name : names)
        name.prepend(folder);
    return names;
}

void JournalFolder::prune()
{
    const QStringList all = journals();
    for (qsizetype i = 0; i + Keep < all.size(); ++i)
        ::unlink(FileNameCodec::encode(all[i]).constData());
}
