// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PresetStore.h"

#include "output/DiskErrors.h"
#include "platform/DurableFile.h"
#include "platform/FileNameCodec.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

const QLatin1String Suffix(".ini");

QString noPreset(const QString& name)
{
    return QStringLiteral("there is no preset \"%1\" in %2").arg(name, PresetStore::folder());
}

QString systemFault(const QString& path)
{
    return QStringLiteral("%1: %2").arg(path, QString::fromLocal8Bit(strerror(errno)));
}

} // namespace

QString PresetStore::folder()
{
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    // Only an absolute path counts, as for every XDG variable.
    if (!config.startsWith(QLatin1Char('/')))
        config = QDir::homePath() + QStringLiteral("/.config");
    return QDir::cleanPath(config + QStringLiteral("/quillon/presets")) + QLatin1Char('/');
}

QString PresetStore::filePath(const QString& name)
{
    return folder() + name + Suffix;
}

QString PresetStore::nameFault(const QString& name)
{
    if (name.trimmed().isEmpty())
        return QStringLiteral("a preset needs a name");
    if (name.contains(QLatin1Char('/')) || name.startsWith(QLatin1Char('.')) ||
        name.contains(QChar(0)) || name.contains(QLatin1Char('\n')) ||
        FileNameCodec::encode(name + Suffix).size() > 255)
        return QStringLiteral("\"%1\" cannot be a preset's name: no \"/\", no line break, no "
                              "\".\" at the start, at most 250 bytes")
            .arg(name);
    return QString();
}

QStringList PresetStore::names()
{
    QStringList names;
    for (const QString& file :
         QDir(folder()).entryList({QStringLiteral("*") + Suffix}, QDir::Files, QDir::Name)) {
        if (!file.startsWith(QLatin1Char('.')))
            names << file.chopped(Suffix.size());
    }
    return names;
}

bool PresetStore::exists(const QString& name)
{
    struct stat st;
    return nameFault(name).isEmpty() &&
           ::lstat(FileNameCodec::encode(filePath(name)).constData(), &st) == 0;
}

QString PresetStore::load(const QString& name, Preset& preset)
{
    if (const QString fault = nameFault(name); !fault.isEmpty())
        return fault;
    const QString path = filePath(name);
    QFile file(path);
    if (!exists(name))
        return noPreset(name);
    // A preset is a few lines; a huge file is no preset.
    if (!file.open(QIODevice::ReadOnly) || file.size() > 1 << 20)
        return QStringLiteral("%1: cannot be read as a preset").arg(path);
    QString why;
    std::optional<Preset> read = Preset::read(file.readAll(), why);
    if (!read)
        return QStringLiteral("%1: %2").arg(path, why);
    preset = *read;
    return QString();
}

QString PresetStore::save(const QString& name, const Preset& preset, bool replace)
{
    if (const QString fault = nameFault(name); !fault.isEmpty())
        return fault;
    if (const QString fault = preset.conflict(); !fault.isEmpty())
        return fault;
    if (!replace && exists(name))
        return QStringLiteral("a preset \"%1\" exists already").arg(name);
    if (!QDir().mkpath(folder()))
        return QStringLiteral("cannot make the folder ") + folder();
    DurableFile file;
    if (const int rc = file.create(filePath(name), preset.text()); rc != 0)
        return QStringLiteral("%1: cannot be written (%2)")
            .arg(filePath(name), DiskErrors::text(rc));
    return QString();
}

QString PresetStore::remove(const QString& name)
{
    if (!exists(name))
        return noPreset(name);
    if (::unlink(FileNameCodec::encode(filePath(name)).constData()) != 0)
        return systemFault(filePath(name));
    return QString();
}

QString PresetStore::rename(const QString& from, const QString& to)
{
    if (const QString fault = nameFault(to); !fault.isEmpty())
        return fault;
    if (!exists(from))
        return noPreset(from);
    // The link then the unlink: an existing preset of the new name is never replaced.
    const QByteArray source = FileNameCodec::encode(filePath(from));
    const QByteArray target = FileNameCodec::encode(filePath(to));
    if (::link(source.constData(), target.constData()) != 0)
        return errno == EEXIST ? QStringLiteral("a preset \"%1\" exists already").arg(to)
                               : systemFault(filePath(to));
    ::unlink(source.constData());
    return QString();
}
