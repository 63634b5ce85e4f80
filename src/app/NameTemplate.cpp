// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "NameTemplate.h"

#include "ExifTags.h"
#include "FileHash.h"
#include "MusicTags.h"
#include "NameGenerator.h"
#include "filelist/FileListModel.h"
#include "platform/DateText.h"
#include "platform/FileName.h"
#include "platform/FileSystem.h"
#include "platform/SplitWork.h"

#include <algorithm>

namespace
{

// A tag's value in a name: what the key filter refuses becomes "_".
QString nameSafe(QString value)
{
    for (QChar& c : value)
        if (!FileName::isAllowed(c) || c.unicode() < 32)
            c = QLatin1Char('_');
    return value;
}

QString dateText(const QDateTime& date, const QString& format)
{
    return DateText::locale().toString(date, format);
}

} // namespace

QList<std::pair<QString, QString>> NameTemplate::legend()
{
    return {
        {"{n}", "the list position from 1"},
        {"{n:3}", "the list position with at least 3 digits"},
        {"{name}", "the current name without its extension"},
        {"{ext}", "the extension with its dot"},
        {"{dir}", "the folder's name"},
        {"{dir:2}", "the name of the folder's parent (3 its parent's...)"},
        {"{size}", "the size in bytes"},
        {"{size:kb}", "the size in KiB, rounded up"},
        {"{created:yyyy-MM-dd}", "the creation date (Qt date format)"},
        {"{modified:yyyy-MM-dd}", "the modified date (Qt date format)"},
        {"{exif:DateTimeOriginal:yyyy-MM-dd}", "when a picture was taken (also DateTimeDigitized)"},
        {"{exif:Model}", "a picture's text tag (also Make)"},
        {"{tag:artist}", "a music tag: artist, album, title, track, year or genre"},
        {"{tag:track:2}", "the track number with at least 2 digits"},
        {"{hash:sha256:12}", "the first 12 hex digits of the file's sha256 (md5, sha1, crc32)"},
        {"{tag:album|none}", "a tag with a text for files without it"},
        {"{name|ascii}", "a value through a filter: nfc, nfd, ascii, lower, upper"},
        {"{{ }}", "the braces themselves"},
    };
}

std::optional<NameTemplate::Token> NameTemplate::token(const QString& inside, QString& why)
{
    auto refuse = [&](const QString& reason) {
        why = QStringLiteral("--template: {%1} %2").arg(inside, reason);
        return std::nullopt;
    };
    // TOKEN|FILTER|... with at most one fallback text among the filters.
    const QStringList parts = inside.split(QLatin1Char('|'));
    Token t;
    for (qsizetype i = 1; i < parts.size(); ++i) {
        if (const std::optional<NameForms::Filter> f = NameForms::filterNamed(parts[i]))
            t.filters.push_back(*f);
        else if (!t.fallback)
            t.fallback = parts[i];
        else
            return refuse(QStringLiteral("has two fallback texts; the filters are nfc, nfd, "
                                         "ascii, lower and upper"));
    }
    const QString& main = parts.first();
    const qsizetype colon = main.indexOf(QLatin1Char(':'));
    QString problem;
    const std::optional<Token> made =
        plainToken(t, main.left(colon), colon < 0 ? QString() : main.mid(colon + 1), problem);
    if (!made)
        return refuse(problem);
    if (made->fallback && made->kind != Kind::ExifDate && made->kind != Kind::ExifText &&
        made->kind != Kind::MusicTag)
        return refuse(
            QStringLiteral("takes no fallback text (\"%1\" is no filter)").arg(*made->fallback));
    if (!FileName::isAllowed(made->fallback.value_or(QString())))
        return refuse(QStringLiteral("cannot hold | * \" / : < > ? \\"));
    return made;
}

// The token without its filters and fallback: head is the part before the
// first ":", rest what follows it.
std::optional<NameTemplate::Token> NameTemplate::plainToken(Token t, const QString& head,
                                                            const QString& rest, QString& problem)
{
    auto refuse = [&](const QString& reason) {
        problem = reason;
        return std::nullopt;
    };
    const bool plain = rest.isNull();
    auto width = [&](const QString& digits, int low, int high) {
        bool ok = false;
        const int w = digits.toInt(&ok);
        return ok && w >= low && w <= high &&
                       std::all_of(digits.begin(), digits.end(),
                                   [](QChar c) { return c.isDigit(); })
                   ? w
                   : -1;
    };
    if (plain && (head == QLatin1String("n") || head == QLatin1String("name") ||
                  head == QLatin1String("ext") || head == QLatin1String("dir") ||
                  head == QLatin1String("size"))) {
        t.kind = head == QLatin1String("n")      ? Kind::Number
                 : head == QLatin1String("name") ? Kind::Name
                 : head == QLatin1String("ext")  ? Kind::Ext
                 : head == QLatin1String("dir")  ? Kind::Dir
                                                 : Kind::Size;
        t.width = t.kind == Kind::Dir ? 1 : 0;
        if (t.kind == Kind::Size)
            t.text = QStringLiteral("size");
        return t;
    }
    if (head == QLatin1String("n")) {
        t.kind = Kind::Number;
        if ((t.width = width(rest, 1, 18)) < 0)
            return refuse(QStringLiteral("needs a width of 1 to 18 digits"));
        return t;
    }
    if (head == QLatin1String("dir")) {
        t.kind = Kind::Dir;
        if ((t.width = width(rest, 1, 99)) < 0)
            return refuse(QStringLiteral("needs a folder level from 1 (the folder itself)"));
        return t;
    }
    if (head == QLatin1String("size")) {
        t.kind = Kind::SizeKb;
        t.text = QStringLiteral("size");
        return rest == QLatin1String("kb") ? std::optional(t)
                                           : refuse(QStringLiteral("takes kb or nothing"));
    }
    if (head == QLatin1String("hash")) {
        t.kind = Kind::Hash;
        const QString kind = rest.section(QLatin1Char(':'), 0, 0);
        const QString digits = rest.section(QLatin1Char(':'), 1);
        const std::optional<FileHash::Kind> k = FileHash::kindNamed(kind);
        if (!k)
            return refuse(
                QStringLiteral("needs one of %1").arg(QLatin1String(FileHash::kindList())));
        t.format = kind;
        t.text = kind + QStringLiteral(" checksum");
        t.width = digits.isEmpty() ? 0 : width(digits, 1, 64);
        if (t.width < 0)
            return refuse(
                QStringLiteral("needs a count of hex digits, e.g. {hash:%1:12}").arg(kind));
        return t;
    }
    if (head == QLatin1String("tag")) {
        t.kind = Kind::MusicTag;
        t.text = rest.section(QLatin1Char(':'), 0, 0);
        const QString digits = rest.section(QLatin1Char(':'), 1);
        if (!MusicTags::isField(t.text))
            return refuse(QStringLiteral("names no music tag: use %1")
                              .arg(QLatin1String(MusicTags::fieldList())));
        if (!digits.isEmpty() &&
            (!MusicTags::isNumberField(t.text) || (t.width = width(digits, 1, 18)) < 0))
            return refuse(
                QStringLiteral("takes a width of 1 to 18 digits for track and year only"));
        return t;
    }
    if (head == QLatin1String("created") || head == QLatin1String("modified")) {
        t.kind = head == QLatin1String("created") ? Kind::Created : Kind::Modified;
        t.text = head + QStringLiteral(" date"); // what a file gone since the scan lacks
        t.format = rest;
        if (t.format.isEmpty())
            return refuse(QStringLiteral("needs a date format, e.g. {%1:yyyy-MM-dd}").arg(head));
        return FileName::isAllowed(t.format) ? std::optional(t)
                                             : refuse(QStringLiteral("cannot hold "
                                                                     "| * \" / : < > ? \\"));
    }
    if (head != QLatin1String("exif"))
        return refuse(QStringLiteral("is not a token: use {n}, {n:3}, {name}, {ext}, {dir}, "
                                     "{dir:2}, {size}, {size:kb}, {created:FORMAT}, "
                                     "{modified:FORMAT}, {exif:TAG...}, {tag:FIELD...} or "
                                     "{hash:KIND:N}"));
    const qsizetype formatAt = rest.indexOf(QLatin1Char(':'));
    t.text = rest.left(formatAt);
    t.format = formatAt < 0 ? QString() : rest.mid(formatAt + 1);
    if (!ExifTags::isTag(t.text))
        return refuse(QStringLiteral("names no picture tag \"%1\"").arg(t.text));
    t.kind = ExifTags::isDateTag(t.text) ? Kind::ExifDate : Kind::ExifText;
    if (t.kind == Kind::ExifDate && t.format.isEmpty())
        return refuse(QStringLiteral("needs a date format, e.g. {exif:%1:yyyy-MM-dd}").arg(t.text));
    if (t.kind == Kind::ExifText && formatAt >= 0)
        return refuse(QStringLiteral("takes no format: %1 is not a date").arg(t.text));
    if (!FileName::isAllowed(t.format))
        return refuse(QStringLiteral("cannot hold | * \" / : < > ? \\"));
    return t;
}

std::optional<NameTemplate> NameTemplate::create(const QString& text, QString& why)
{
    NameTemplate result;
    QString literal;
    auto flush = [&] {
        if (!literal.isEmpty())
            result.m_tokens.push_back({Kind::Text, literal, {}, {}, 0, {}});
        literal.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const QChar next = i + 1 < text.size() ? text[i + 1] : QChar();
        if ((c == QLatin1Char('{') || c == QLatin1Char('}')) && next == c) {
            literal += c;
            ++i;
        } else if (c == QLatin1Char('}')) {
            why = QStringLiteral("--template: a \"}\" without its \"{\" (write }} for a brace)");
            return std::nullopt;
        } else if (c == QLatin1Char('{')) {
            const qsizetype end = text.indexOf(QLatin1Char('}'), i);
            if (end < 0) {
                why =
                    QStringLiteral("--template: a \"{\" without its \"}\" (write {{ for a brace)");
                return std::nullopt;
            }
            const std::optional<Token> t = token(text.mid(i + 1, end - i - 1), why);
            if (!t)
                return std::nullopt;
            flush();
            result.m_tokens.push_back(*t);
            result.m_needsStat |= t->kind == Kind::Created || t->kind == Kind::Modified ||
                                  t->kind == Kind::Size || t->kind == Kind::SizeKb;
            result.m_needsExif |= t->kind == Kind::ExifDate || t->kind == Kind::ExifText;
            result.m_needsTags |= t->kind == Kind::MusicTag;
            i = end;
        } else if (!FileName::isAllowed(c)) {
            why = QStringLiteral("--template cannot hold | * \" / : < > ? \\ outside its tokens");
            return std::nullopt;
        } else {
            literal += c;
        }
    }
    flush();
    return result;
}

struct NameTemplate::FileFacts {
    bool dated = false; // entry was read
    FileSystem::Entry entry;
    ExifTags exif;
    MusicTags music;
    std::vector<std::vector<std::optional<QString>>>* hashes = nullptr; // per hash token, per file
};

std::optional<QString> NameTemplate::value(const Token& t, int k, const QString& current,
                                           const QString& folder, const FileFacts& facts) const
{
    switch (t.kind) {
    case Kind::Text:
        return t.text;
    case Kind::Number:
        return QStringLiteral("%1").arg(k + 1, t.width, 10, QLatin1Char('0'));
    case Kind::Name:
        return FileName::stem(current).toString();
    case Kind::Ext:
        return FileName::extension(current).toString();
    case Kind::Dir: {
        // folder ends in "/": its last part is the folder's own name.
        const QStringList parts = folder.split(QLatin1Char('/'), Qt::SkipEmptyParts);
        return parts.size() >= t.width ? nameSafe(parts[parts.size() - t.width]) : QString();
    }
    case Kind::Size:
    case Kind::SizeKb:
        if (!facts.dated)
            return std::nullopt;
        return QString::number(t.kind == Kind::Size ? facts.entry.size
                                                    : (facts.entry.size + 1023) / 1024);
    case Kind::Created:
    case Kind::Modified: {
        const FileSystem::Time& time =
            t.kind == Kind::Created ? facts.entry.created : facts.entry.modified;
        if (!facts.dated)
            return std::nullopt;
        return dateText(QDateTime::fromSecsSinceEpoch(time.seconds), t.format);
    }
    case Kind::ExifDate:
        if (const std::optional<QDateTime> date = facts.exif.date(t.text))
            return dateText(*date, t.format);
        return std::nullopt;
    case Kind::ExifText:
        if (const std::optional<QString> text = facts.exif.text(t.text))
            return nameSafe(*text);
        return std::nullopt;
    case Kind::MusicTag:
        if (const std::optional<QString> text = facts.music.text(t.text))
            return t.width > 0 ? text->rightJustified(t.width, QLatin1Char('0')) : nameSafe(*text);
        return std::nullopt;
    case Kind::Hash:
        break;
    }
    return std::nullopt;
}

void NameTemplate::applyTo(FileListModel& model, int fileLast, FileSystem& fs,
                           const QString& folder,
                           const std::function<void(const QString&, const QString&)>& missing,
                           const std::atomic<bool>* cancel) const
{
    // The checksums first, on every core: reading the files is the work.
    std::vector<std::vector<std::optional<QString>>> hashes(m_tokens.size());
    const std::size_t count = std::size_t(qMax(fileLast + 1, 0));
    for (std::size_t i = 0; i < m_tokens.size(); ++i) {
        if (m_tokens[i].kind != Kind::Hash)
            continue;
        std::vector<QString> names(count);
        for (std::size_t k = 0; k < count; ++k)
            names[k] = folder + model.currentNameAt(int(k));
        hashes[i].resize(count);
        const FileHash::Kind kind = *FileHash::kindNamed(m_tokens[i].format);
        const int digits = m_tokens[i].width;
        SplitWork::run(count, 1, [&](std::size_t, std::size_t from, std::size_t to) {
            for (std::size_t k = from; k < to; ++k)
                if (std::optional<QString> h = FileHash::of(fs, names[k], kind))
                    hashes[i][k] = digits > 0 ? h->left(digits) : *h;
        });
    }
    QString name;
    for (int k = 0; k <= fileLast; ++k) {
        if (cancel && k % 2048 == 0 && cancel->load(std::memory_order_relaxed))
            return;
        const QString current = model.currentNameAt(k);
        FileFacts facts;
        // A file that cannot be looked at (gone since the scan) has no dates.
        facts.dated = m_needsStat && fs.stat(folder + current, facts.entry) == 0;
        if (m_needsExif)
            facts.exif = ExifTags::read(fs, folder + current);
        if (m_needsTags)
            facts.music = MusicTags::read(folder + current);
        name.clear();
        QString lacking;
        for (std::size_t i = 0; i < m_tokens.size(); ++i) {
            const Token& t = m_tokens[i];
            std::optional<QString> v = t.kind == Kind::Hash ? hashes[i][std::size_t(k)]
                                                            : value(t, k, current, folder, facts);
            if (!v)
                v = t.fallback;
            if (!v && lacking.isEmpty())
                lacking = t.text;
            if (v && !t.filters.empty()) {
                for (NameForms::Filter f : t.filters)
                    *v = NameForms::apply(*v, f);
                v = nameSafe(*v); // "½" becomes " 1/2" in ASCII
            }
            name += v.value_or(QString());
        }
        if (!lacking.isEmpty()) {
            missing(current, lacking);
            name = current;
        }
        model.setNewNameAt(k, name);
    }
}
