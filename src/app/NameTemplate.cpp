// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "NameTemplate.h"

#include "ExifTags.h"
#include "NameGenerator.h"
#include "filelist/FileListModel.h"
#include "platform/DateText.h"
#include "platform/FileName.h"
#include "platform/FileSystem.h"

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

std::optional<NameTemplate::Token> NameTemplate::token(const QString& inside, QString& why)
{
    Token t;
    const qsizetype colon = inside.indexOf(QLatin1Char(':'));
    const QString head = inside.left(colon);
    const QString rest = colon < 0 ? QString() : inside.mid(colon + 1);
    auto refuse = [&](const QString& reason) {
        why = QStringLiteral("--template: {%1} %2").arg(inside, reason);
        return std::nullopt;
    };
    if (inside == QLatin1String("n") || inside == QLatin1String("name") ||
        inside == QLatin1String("ext")) {
        t.kind = inside == QLatin1String("n")      ? Kind::Number
                 : inside == QLatin1String("name") ? Kind::Name
                                                   : Kind::Ext;
        return t;
    }
    if (head == QLatin1String("n") && colon > 0) {
        bool ok = false;
        t.kind = Kind::Number;
        t.width = rest.toInt(&ok);
        if (!ok || t.width < 1 || t.width > 18 ||
            !std::all_of(rest.begin(), rest.end(), [](QChar c) { return c.isDigit(); }))
            return refuse(QStringLiteral("needs a width of 1 to 18 digits"));
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
        return refuse(QStringLiteral("is not a token: use {n}, {n:3}, {name}, {ext}, "
                                     "{created:FORMAT}, {modified:FORMAT} or {exif:TAG...}"));
    QString tokenText = rest;
    const qsizetype bar = tokenText.indexOf(QLatin1Char('|'));
    if (bar >= 0) {
        t.fallback = tokenText.mid(bar + 1);
        tokenText.truncate(bar);
    }
    const qsizetype formatAt = tokenText.indexOf(QLatin1Char(':'));
    t.text = tokenText.left(formatAt);
    t.format = formatAt < 0 ? QString() : tokenText.mid(formatAt + 1);
    if (!ExifTags::isTag(t.text))
        return refuse(QStringLiteral("names no picture tag \"%1\"").arg(t.text));
    t.kind = ExifTags::isDateTag(t.text) ? Kind::ExifDate : Kind::ExifText;
    if (t.kind == Kind::ExifDate && t.format.isEmpty())
        return refuse(QStringLiteral("needs a date format, e.g. {exif:%1:yyyy-MM-dd}").arg(t.text));
    if (t.kind == Kind::ExifText && formatAt >= 0)
        return refuse(QStringLiteral("takes no format: %1 is not a date").arg(t.text));
    if (!FileName::isAllowed(t.format) || !FileName::isAllowed(t.fallback.value_or(QString())))
        return refuse(QStringLiteral("cannot hold | * \" / : < > ? \\"));
    return t;
}

std::optional<NameTemplate> NameTemplate::create(const QString& text, QString& why)
{
    NameTemplate result;
    QString literal;
    auto flush = [&] {
        if (!literal.isEmpty())
            result.m_tokens.push_back({Kind::Text, literal, {}, {}, 0});
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
            result.m_needsStat |= t->kind == Kind::Created || t->kind == Kind::Modified;
            result.m_needsExif |= t->kind == Kind::ExifDate || t->kind == Kind::ExifText;
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

void NameTemplate::applyTo(FileListModel& model, int fileLast, FileSystem& fs,
                           const QString& folder,
                           const std::function<void(const QString&, const QString&)>& missing,
                           const std::atomic<bool>* cancel) const
{
    QString name;
    for (int k = 0; k <= fileLast; ++k) {
        if (cancel && k % 2048 == 0 && cancel->load(std::memory_order_relaxed))
            return;
        const QString current = model.currentNameAt(k);
        FileSystem::Entry entry;
        // A file that cannot be looked at (gone since the scan) has no dates.
        const bool dated = m_needsStat && fs.stat(folder + current, entry) == 0;
        const ExifTags tags = m_needsExif ? ExifTags::read(fs, folder + current) : ExifTags();
        name.clear();
        QString lacking;
        for (const Token& t : m_tokens) {
            std::optional<QString> value;
            switch (t.kind) {
            case Kind::Text:
                value = t.text;
                break;
            case Kind::Number:
                value = QStringLiteral("%1").arg(k + 1, t.width, 10, QLatin1Char('0'));
                break;
            case Kind::Name:
                value = FileName::stem(current).toString();
                break;
            case Kind::Ext:
                value = FileName::extension(current).toString();
                break;
            case Kind::Created:
            case Kind::Modified: {
                const FileSystem::Time& time =
                    t.kind == Kind::Created ? entry.created : entry.modified;
                if (dated)
                    value = dateText(QDateTime::fromSecsSinceEpoch(time.seconds), t.format);
                break;
            }
            case Kind::ExifDate:
                if (const std::optional<QDateTime> date = tags.date(t.text))
                    value = dateText(*date, t.format);
                break;
            case Kind::ExifText:
                if (const std::optional<QString> text = tags.text(t.text))
                    value = nameSafe(*text);
                break;
            }
            if (!value)
                value = t.fallback;
            if (!value && lacking.isEmpty())
                lacking = t.text;
            name += value.value_or(QString());
        }
        if (!lacking.isEmpty()) {
            missing(current, lacking);
            name = current;
        }
        model.setNewNameAt(k, name);
    }
}
