// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "NameRules.h"

#include "FileName.h"
#include "FileNameCodec.h"

#include <QFile>
#include <QSet>
#include <QTextBoundaryFinder>

#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <string_view>

namespace
{

// statfs f_type values (linux/magic.h; ntfs3 and exFAT are not in every
// version of that header).
constexpr unsigned long MsdosMagic = 0x4d44;
constexpr unsigned long ExfatMagic = 0x2011BAB0;
constexpr unsigned long NtfsMagic = 0x5346544e;
constexpr unsigned long Ntfs3Magic = 0x7366746e;
constexpr unsigned long CifsMagic = 0xFF534D42;
constexpr unsigned long Smb2Magic = 0xFE534D42;
constexpr unsigned long FuseMagic = 0x65735546;
#ifndef FS_CASEFOLD_FL
constexpr int FS_CASEFOLD_FL = 0x40000000;
#endif

// Whether the folder answers to an entry's name in another letter case
// that is not itself an entry: FUSE disks (exFAT and NTFS both mount as
// fuseblk) say nothing else about it. Inode numbers do not tell, since
// exfat-fuse gives each spelling its own. No entry to try: assumed, as a
// collision too many loses nothing.
bool answersInOtherCase(const QString& folder)
{
    DIR* dir = ::opendir(FileNameCodec::encode(folder).constData());
    if (!dir)
        return true;
    QSet<QByteArray> names;
    QByteArray probe;
    while (const dirent* e = ::readdir(dir)) {
        const QByteArray name(e->d_name);
        names.insert(name);
        if (probe.isEmpty() && name.toLower() != name.toUpper())
            probe = name;
        if (names.size() > 100000)
            break;
    }
    ::closedir(dir);
    if (probe.isEmpty())
        return true;
    QByteArray swapped = probe;
    for (char& c : swapped)
        c = (c >= 'a' && c <= 'z') ? char(c - 32) : (c >= 'A' && c <= 'Z') ? char(c + 32) : c;
    if (names.contains(swapped))
        return false;
    struct stat st;
    const QByteArray base = FileNameCodec::encode(folder) + '/';
    return ::lstat((base + swapped).constData(), &st) == 0;
}

// The type /proc/self/mounts gives the mount that holds the folder.
QByteArray mountType(const QString& folder)
{
    char* real = ::realpath(FileNameCodec::encode(folder).constData(), nullptr);
    if (!real)
        return {};
    const QByteArray path(real);
    ::free(real);
    QFile mounts(QStringLiteral("/proc/self/mounts"));
    if (!mounts.open(QIODevice::ReadOnly))
        return {};
    QByteArray type;
    qsizetype longest = -1;
    for (const QByteArray& line : mounts.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() < 3)
            continue;
        // Spaces in mount points are written as \040.
        const QByteArray point = QByteArray(fields[1]).replace("\\040", " ");
        const bool holds = path == point || point == "/" ||
                           (path.startsWith(point) && path.at(point.size()) == '/');
        if (holds && point.size() >= longest) {
            longest = point.size();
            type = fields[2];
        }
    }
    return type;
}

bool hasCasefoldFlag(const QString& folder)
{
    const int fd =
        ::open(FileNameCodec::encode(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    int flags = 0;
    const bool folded = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0 && (flags & FS_CASEFOLD_FL);
    ::close(fd);
    return folded;
}

// An ASCII letter in upper case; every other character as it is.
char16_t asciiUpper(QChar c)
{
    const char16_t u = c.unicode();
    return u >= 'a' && u <= 'z' ? char16_t(u - 32) : u;
}

bool isStem(QStringView stem, const char* device)
{
    for (qsizetype i = 0; i < stem.size(); ++i)
        if (asciiUpper(stem[i]) != char16_t(device[i]))
            return false;
    return true;
}

// Whether the part before the first dot (at dot, -1 for none) is a device
// name: "con.tar.gz" is as reserved as "CON", and so is " con ".
bool isReservedStem(QStringView name, qsizetype dot)
{
    QStringView stem = dot < 0 ? name : name.left(dot);
    if (stem.size() < 3)
        return false;
    if (stem.size() > 4 && !stem.front().isSpace() && !stem.back().isSpace())
        return false;
    stem = stem.trimmed();
    if (stem.size() == 3)
        return isStem(stem, "CON") || isStem(stem, "PRN") || isStem(stem, "AUX") ||
               isStem(stem, "NUL");
    return stem.size() == 4 && stem[3] >= QLatin1Char('1') && stem[3] <= QLatin1Char('9') &&
           (isStem(stem.left(3), "COM") || isStem(stem.left(3), "LPT"));
}

// The ASCII characters a Windows disk refuses in a name: the control
// characters and \ / : * ? " < > |. Every other character is taken.
constexpr std::array<bool, 128> WindowsRefused = [] {
    std::array<bool, 128> table{};
    for (int c = 0; c < 32; ++c)
        table[std::size_t(c)] = true;
    for (const char c : std::string_view("\\/:*?\"<>|"))
        table[std::size_t(c)] = true;
    return table;
}();

bool isWindowsRefused(QChar c)
{
    return c.unicode() < 128 && WindowsRefused[c.unicode()];
}

// Where the first character a Windows disk refuses stands; -1 for none.
qsizetype firstWindowsRefused(QStringView name)
{
    for (qsizetype i = 0; i < name.size(); ++i)
        if (isWindowsRefused(name[i]))
            return i;
    return -1;
}

bool endsInDotOrSpace(QStringView name)
{
    return name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' '));
}

} // namespace

NameRules NameRules::forFolder(const QString& folder)
{
    NameRules rules;
    struct statfs fs;
    if (::statfs(FileNameCodec::encode(folder).constData(), &fs) != 0)
        return rules;
    const auto type = static_cast<unsigned long>(fs.f_type);
    switch (type) {
    case MsdosMagic:
    case ExfatMagic:
    case CifsMagic:
    case Smb2Magic:
        rules.foldsCase = rules.windowsNames = true;
        break;
    case NtfsMagic:
    case Ntfs3Magic:
    case FuseMagic:
        // A FUSE disk of another kind (sshfs, a user's own) keeps its own
        // rules, but fuseblk is a Windows disk: exFAT or NTFS.
        if (type == FuseMagic && mountType(folder) != "fuseblk")
            break;
        rules.windowsNames = true;
        rules.foldsCase = answersInOtherCase(folder);
        break;
    default:
        rules.foldsCase = hasCasefoldFlag(folder);
        break;
    }
    return rules;
}

qsizetype NameRules::byteLength(QStringView name)
{
    return FileNameCodec::encode(name.toString()).size();
}

bool NameRules::fits(QStringView name)
{
    // A UTF-16 unit is at most 3 bytes of UTF-8 (a pair 4 for two units), so
    // the short names of almost every list need no encoding.
    return name.size() * 3 <= MaxBytes || byteLength(name) <= MaxBytes;
}

QString NameRules::windowsRefusal(QStringView name)
{
    if (const qsizetype at = firstWindowsRefused(name); at >= 0) {
        const QChar c = name[at];
        return QStringLiteral("a Windows disk refuses the character %1")
            .arg(c.unicode() < 32 ? QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0'))
                                  : QString(c));
    }
    if (endsInDotOrSpace(name))
        return QStringLiteral("a Windows disk refuses a name that ends in a dot or a space");
    if (isReservedStem(name, name.indexOf(QLatin1Char('.'))))
        return QStringLiteral("a Windows disk keeps the name %1 for a device")
            .arg(name.left(name.indexOf(QLatin1Char('.'))).toString().toUpper());
    return {};
}

QString NameRules::refusal(QStringView name) const
{
    if (!fits(name))
        return QStringLiteral("the name is longer than %1 bytes").arg(MaxBytes);
    return windowsNames ? windowsRefusal(name) : QString();
}

bool NameRules::refuses(QStringView name) const
{
    if (!fits(name))
        return true;
    if (!windowsNames)
        return false;
    // One pass over the name for the characters and the first dot.
    qsizetype dot = -1;
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (isWindowsRefused(name[i]))
            return true;
        if (dot < 0 && name[i] == QLatin1Char('.'))
            dot = i;
    }
    return endsInDotOrSpace(name) || isReservedStem(name, dot);
}

QString NameRules::fitLength(const QString& name)
{
    const qsizetype over = byteLength(name) - MaxBytes;
    if (over <= 0)
        return name;
    const QStringView stem = FileName::stem(name);
    const QStringView ext = FileName::extension(name);
    const qsizetype room = MaxBytes - byteLength(ext);
    if (room <= 0)
        return name;
    // Cut at the last grapheme boundary that fits, so no character (nor an
    // accent from its letter) is split.
    QTextBoundaryFinder bounds(QTextBoundaryFinder::Grapheme, stem.toString());
    qsizetype cut = 0;
    for (qsizetype at = bounds.toNextBoundary(); at > 0; at = bounds.toNextBoundary()) {
        if (byteLength(stem.left(at)) > room)
            break;
        cut = at;
    }
    return stem.left(cut).toString() + ext.toString();
}
