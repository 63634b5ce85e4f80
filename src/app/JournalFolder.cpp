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

} // namespace

QString JournalFolder::path()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    // Only an absolute path counts, as for every XDG variable.
    if (!state.startsWith(QLatin1Char('/')))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return QDir::cleanPath(state + QStringLiteral("/quillon")) + QLatin1Char('/');
}

QString JournalFolder::newJournal()
{
    const QString folder = path();
    const QByteArray bytes = FileNameCodec::encode(folder);
    // The folders above are made as usual; the last one is ours alone.
    QDir().mkpath(QFileInfo(folder.chopped(1)).path());
    if (::mkdir(bytes.constData(), 0700) != 0 && errno != EEXIST)
        return QString();
    struct stat st;
    if (::lstat(bytes.constData(), &st) != 0 || !S_ISDIR(st.st_mode))
        return QString();
    return folder + QStringLiteral("rename-") +
           QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz")) +
           QLatin1Char('-') + QString::number(::getpid()) + QStringLiteral(".journal");
}

QStringList JournalFolder::journals()
{
    QStringList names;
    const QString folder = path();
    if (DIR* dir = ::opendir(FileNameCodec::encode(folder).constData())) {
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
