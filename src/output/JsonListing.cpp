// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "JsonListing.h"

#include "filelist/FileListModel.h"
#include "platform/DateText.h"

#include <QDateTime>

namespace
{

void appendEscape(QString& out, char16_t unit)
{
    out += QStringLiteral("\\u%1").arg(unsigned(unit), 4, 16, QLatin1Char('0'));
}

// A date shown as text (a picker wrote it) is read back from that text.
void appendDate(QString& out, const FileListModel& model, int record, FileListModel::Field f)
{
    const FileListModel::Record& r = model.record(record);
    QDateTime date;
    if (r.flags & FileListModel::textOf(f))
        date = DateText::parse(model.field(record, f));
    else if (r.flags & FileListModel::StatOk)
        date = QDateTime::fromSecsSinceEpoch(f == FileListModel::Created ? r.created : r.modified);
    if (!date.isValid()) {
        out += QLatin1String("null");
        return;
    }
    out += QLatin1Char('"');
    out += date.toOffsetFromUtc(date.offsetFromUtc()).toString(Qt::ISODate);
    out += QLatin1Char('"');
}

} // namespace

void JsonListing::appendString(QString& out, QStringView text)
{
    out += QLatin1Char('"');
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const bool paired =
            (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ||
            (c.isLowSurrogate() && i > 0 && text[i - 1].isHighSurrogate());
        if (c == QLatin1Char('"') || c == QLatin1Char('\\')) {
            out += QLatin1Char('\\');
            out += c;
        } else if (c.unicode() < 0x20 || (c.isSurrogate() && !paired)) {
            appendEscape(out, c.unicode());
        } else {
            out += c;
        }
    }
    out += QLatin1Char('"');
}

void JsonListing::write(const FileListModel& model, int lastPosition,
                        const std::function<void(const QString&)>& write)
{
    QString lines;
    for (int position = 0; position <= lastPosition; ++position) {
        const int r = model.recordAt(position);
        if (!lines.isEmpty())
            lines += QLatin1Char('\n');
        lines += QLatin1String("{\"no\":") + QString::number(model.recordNumber(r));
        lines += QLatin1String(",\"created\":");
        appendDate(lines, model, r, FileListModel::Created);
        lines += QLatin1String(",\"modified\":");
        appendDate(lines, model, r, FileListModel::Modified);
        const FileListModel::Record& record = model.record(r);
        lines += QLatin1String(",\"size\":");
        lines += (record.flags & FileListModel::StatOk) &&
                         !(record.flags & FileListModel::textOf(FileListModel::Size))
                     ? QString::number(record.size)
                     : QStringLiteral("null");
        lines += QLatin1String(",\"name\":");
        appendString(lines, model.currentNameOf(r));
        lines += QLatin1String(",\"new\":");
        appendString(lines, model.newNameView(r));
        lines += model.collides(r) ? QLatin1String(",\"collides\":true}")
                                   : QLatin1String(",\"collides\":false}");
        if (lines.size() >= 64 * 1024) {
            write(lines);
            lines.clear();
        }
    }
    if (!lines.isEmpty())
        write(lines);
}
