// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "JournalFolder.h"

#include "platform/DurableFile.h"
#include "platform/FileNameCodec.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include <cerrno>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

const QLatin1String JournalSuffix(".journal");
const QLatin1String ReferenceSuffix(".ref");

bool isEntryName(const QString& name)
{
    return name.startsWith(QLatin1String("rename-")) &&
           (name.endsWith(JournalSuffix) || name.endsWith(ReferenceSuffix));
}

bool exists(const QString& path)
{
    struct stat st;
    return ::lstat(FileNameCodec::encode(path).constData(), &st) == 0;
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

// The folder's own entries, journals and references, oldest first, as full
// paths; none where the folder is not a folder of its own (a link), so that
// nothing is read or pruned through it.
QStringList entries()
{
    QStringList names;
    const QByteArray itself = folderItself();
    if (!isOwnFolder(itself))
        return names;
    if (DIR* dir = ::opendir(itself.constData())) {
        while (struct dirent* d = ::readdir(dir)) {
            const QString name = FileNameCodec::decode(d->d_name, qsizetype(strlen(d->d_name)));
            if (isEntryName(name))
                names << name;
        }
        ::closedir(dir);
    }
    names.sort();
    const QString folder = JournalFolder::path();
    for (QString& name : names)
        name.prepend(folder);
    return names;
}

// The journal a reference names, read as bytes (a path need not be UTF-8);
// empty when it cannot be read.
QString referredPath(const QString& reference)
{
    const int fd = ::open(FileNameCodec::encode(reference).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return QString();
    QByteArray bytes(PATH_MAX, '\0');
    const ssize_t n = ::read(fd, bytes.data(), size_t(bytes.size()));
    ::close(fd);
    return n > 0 ? FileNameCodec::decode(bytes.left(n)) : QString();
}

// Makes the folder (the folders above as usual, the last one ours alone);
// false when it is then not a folder of its own.
bool makeFolder(const QString& folder)
{
    const QByteArray itself = folderItself();
    QDir().mkpath(QFileInfo(folder.chopped(1)).path());
    if (::mkdir(itself.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    return isOwnFolder(itself);
}

QString stampedName(const QString& folder, QLatin1String suffix)
{
    return folder + QStringLiteral("rename-") +
           QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz")) +
           QLatin1Char('-') + QString::number(::getpid()) + suffix;
}

QString settingsPath()
{
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!config.startsWith(QLatin1Char('/')))
        config = QDir::homePath() + QStringLiteral("/.config");
    return QDir::cleanPath(config + QStringLiteral("/quillon/history.ini"));
}

} // namespace

int JournalFolder::keep()
{
    bool number = false;
    const int passes = QSettings(settingsPath(), QSettings::IniFormat)
                           .value(QStringLiteral("keep"))
                           .toInt(&number);
    return number && passes >= 1 && passes <= MostKept ? passes : Keep;
}

bool JournalFolder::setKeep(int passes)
{
    QSettings settings(settingsPath(), QSettings::IniFormat);
    settings.setValue(QStringLiteral("keep"), qBound(1, passes, MostKept));
    settings.sync();
    return settings.status() == QSettings::NoError;
}

QString JournalFolder::keptText()
{
    return QStringLiteral("the newest %1 passes are kept (set in the window's Rename History, "
                          "saved in %2)")
        .arg(keep())
        .arg(settingsPath());
}

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
    return makeFolder(folder) ? stampedName(folder, JournalSuffix) : QString();
}

bool JournalFolder::remember(const QString& journalPath)
{
    const QString folder = path();
    if (!makeFolder(folder))
        return false;
    for (const QString& entry : entries()) {
        if (entry.endsWith(ReferenceSuffix) && referredPath(entry) == journalPath)
            ::unlink(FileNameCodec::encode(entry).constData());
    }
    DurableFile reference;
    return reference.create(stampedName(folder, ReferenceSuffix),
                            FileNameCodec::encode(journalPath)) == 0;
}

QStringList JournalFolder::journals()
{
    QStringList journals;
    for (const QString& entry : entries()) {
        if (entry.endsWith(JournalSuffix)) {
            journals << entry;
            continue;
        }
        // A journal deleted by its owner is no pass to undo any more.
        const QString journal = referredPath(entry);
        if (!journal.isEmpty() && exists(journal))
            journals << journal;
    }
    return journals;
}

void JournalFolder::prune()
{
    const QStringList all = entries();
    const int kept = keep();
    for (qsizetype i = 0; i + kept < all.size(); ++i)
        ::unlink(FileNameCodec::encode(all[i]).constData());
}
