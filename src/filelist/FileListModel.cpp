// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileListModel.h"

#include "platform/DateText.h"
#include "platform/HugePages.h"
#include "platform/NumberText.h"
#include "platform/SplitWork.h"

#include <algorithm>

#include <limits>
#include <new>
#include <stdexcept>

namespace
{

// A place in one of the texts: names and new names are addressed by 32 bits.
quint32 placeIn(const QString& text, qsizetype adding)
{
    if (text.size() + adding > qsizetype(std::numeric_limits<quint32>::max()))
        throw std::bad_alloc();
    return quint32(text.size());
}

quint16 nameSizeOf(QStringView name)
{
    // A file name holds at most 255 bytes; a longer text is no name.
    if (name.size() > std::numeric_limits<quint16>::max())
        throw std::length_error("a file name of over 65,535 characters");
    return quint16(name.size());
}

} // namespace

void FileListModel::Rows::reserve(qsizetype rows, qsizetype nameUnits)
{
    m_records.reserve(size_t(rows));
    m_names.reserve(rows * nameUnits);
    HugePages::advise(m_records.data(), m_records.capacity() * sizeof(Record));
    HugePages::advise(m_names.constData(), size_t(m_names.capacity()) * sizeof(QChar));
}

void FileListModel::Rows::appendFile(QStringView name, qint64 created, qint64 modified, qint64 size,
                                     bool statOk)
{
    const quint16 nameSize = nameSizeOf(name);
    m_records.push_back({created, modified, size, placeIn(m_names, nameSize), nameSize,
                         quint8(statOk ? StatOk : 0)});
    m_names += name;
}

void FileListModel::Rows::append(QStringView created, QStringView modified, QStringView name,
                                 QStringView newName, QStringView size, QStringView spare)
{
    const qint32 row = qint32(m_records.size());
    appendFile(name, 0, 0, 0, false);
    const std::pair<Field, QStringView> texts[] = {
        {Created, created}, {Modified, modified}, {Size, size}, {Spare, spare}};
    for (const auto& [f, text] : texts) {
        m_records.back().flags |= textOf(f);
        if (!text.isEmpty())
            m_texts[f].insert(row, text.toString());
    }
    if (!newName.isEmpty())
        m_newNames.insert(row, newName.toString());
}

QStringView FileListModel::Rows::nameOf(qsizetype row) const
{
    const Record& r = m_records[size_t(row)];
    return QStringView(m_names).mid(r.nameAt, r.nameSize);
}

template <typename OrderAt> void FileListModel::Rows::placeRows(size_t count, OrderAt order)
{
    // In place, cycle by cycle, so a million records need no second copy.
    const size_t n = m_records.size();
    std::vector<bool> placed(n);
    for (size_t start = 0; start < n; ++start) {
        if (placed[start])
            continue;
        const Record first = m_records[start];
        size_t k = start;
        while (order(k) != start) {
            m_records[k] = m_records[order(k)];
            placed[k] = true;
            k = order(k);
        }
        m_records[k] = first;
        placed[k] = true;
    }
    auto remap = [&order, count](QHash<qint32, QString>& texts) {
        if (texts.isEmpty())
            return;
        QHash<qint32, QString> moved;
        for (size_t k = 0; k < count; ++k) {
            if (auto it = texts.constFind(qint32(order(k))); it != texts.cend())
                moved.insert(qint32(k), *it);
        }
        texts = std::move(moved);
    };
    for (auto& texts : m_texts)
        remap(texts);
    remap(m_newNames);
}

void FileListModel::Rows::putInOrder(const std::vector<quint32>& order)
{
    placeRows(order.size(), [&order](size_t k) { return order[k]; });
}

void FileListModel::Rows::putInOrder(const std::vector<NameOrder::Key>& sorted)
{
    placeRows(sorted.size(), [&sorted](size_t k) { return sorted[k].index; });
}

FileListModel::FileListModel(QObject* parent) : QObject(parent) {}

void FileListModel::setNoFiles()
{
    Rows empty;
    empty.append({}, {}, {}, {}, {});
    replaceRows(std::move(empty), true);
}

void FileListModel::setRows(Rows&& rows)
{
    replaceRows(std::move(rows), false);
}

void FileListModel::replaceRows(Rows&& rows, bool noFiles)
{
    m_noFiles = noFiles;
    const size_t n = rows.m_records.size();
    m_records = std::move(rows.m_records);
    m_records.shrink_to_fit();
    m_names = std::move(rows.m_names);
    m_names.squeeze();
    m_texts = std::move(rows.m_texts);
    m_newNames.reset(n);
    m_lastIndex = n == 0 ? 0 : int(n - 1);
    m_displayOrder = {};
    m_displayOrder.reserve(n);
    HugePages::advise(m_displayOrder.data(), n * sizeof(qint32));
    m_displayOrder.resize(n);
    for (size_t i = 0; i < n; ++i)
        m_displayOrder[i] = qint32(i);
    for (auto it = rows.m_newNames.cbegin(); it != rows.m_newNames.cend(); ++it)
        setNewNameAt(it.key(), it.value());
    m_selected.assign(n, 0);
    m_currentRecord = 0;
    emit reloaded();
}

void FileListModel::checkRecord(int record) const
{
    if (record < 0 || record >= recordCount())
        throw std::out_of_range("record index out of range");
}

void FileListModel::checkPosition(int position) const
{
    if (position < 0 || position >= int(m_displayOrder.size()))
        throw std::out_of_range("list position out of range");
}

int FileListModel::recordAt(int position) const
{
    checkPosition(position);
    return m_displayOrder[size_t(position)];
}

const FileListModel::Record& FileListModel::record(int record) const
{
    checkRecord(record);
    return m_records[size_t(record)];
}

QStringView FileListModel::currentNameOf(int record) const
{
    const Record& r = this->record(record);
    return QStringView(m_names).mid(r.nameAt, r.nameSize);
}

void FileListModel::appendField(QString& out, int record, Field f) const
{
    const Record& r = this->record(record);
    if (r.flags & textOf(f)) {
        out += m_texts[f].value(record);
        return;
    }
    const bool ok = r.flags & StatOk;
    switch (f) {
    case Created:
        if (ok)
            DateText::appendFromEpoch(out, r.created);
        else
            out += DateText::format(DateText::zeroDate());
        break;
    case Modified:
        if (ok)
            DateText::appendFromEpoch(out, r.modified);
        break;
    case Size:
        if (ok)
            NumberText::appendGrouped(out, r.size);
        break;
    case CurrentName:
        out += currentNameOf(record);
        break;
    default:
        break;
    }
}

QString FileListModel::field(int record, Field f) const
{
    QString out;
    appendField(out, record, f);
    return out;
}

QString FileListModel::currentNameAt(int position) const
{
    if (position > m_lastIndex || m_displayOrder.empty())
        return QString();
    return currentNameOf(recordAt(position)).toString();
}

QString FileListModel::newNameAt(int position) const
{
    if (position > m_lastIndex || m_displayOrder.empty())
        return QString();
    return newNameOf(recordAt(position));
}

QStringView FileListModel::newNameView(int record) const
{
    checkRecord(record);
    return m_newNames.at(size_t(record));
}

void FileListModel::setNewNameAt(int position, QStringView name)
{
    m_newNames.set(size_t(recordAt(position)), name);
}

void FileListModel::setNewNames(int count, const std::function<NameMaker()>& makerForPart)
{
    count = std::clamp(count, 0, int(m_displayOrder.size()));
    const size_t parts = SplitWork::partsFor(size_t(count), 4096);
    std::vector<QString> texts(parts);
    std::vector<std::vector<quint32>> sizes(parts);
    SplitWork::run(size_t(count), 4096, [&](size_t k, size_t from, size_t to) {
        const NameMaker make = makerForPart();
        sizes[k].reserve(to - from);
        QString& text = texts[k];
        for (size_t p = from; p < to; ++p) {
            const qsizetype before = text.size();
            make(int(p), currentNameOf(m_displayOrder[p]), text);
            sizes[k].push_back(quint32(text.size() - before));
            // Room for the part from its first name, so that a large text is
            // not copied as it grows.
            if (p == from) {
                text.reserve(qsizetype((text.size() + 4) * (to - from) * 9 / 8));
                HugePages::advise(text.constData(), size_t(text.capacity()) * sizeof(QChar));
            }
        }
        text.squeeze();
    });
    m_newNames.setMade(m_displayOrder, std::move(texts), sizes);
}

int FileListModel::recordNumber(int record) const
{
    checkRecord(record);
    return record + 1;
}

void FileListModel::changeText(Field f, int record, const QString& text)
{
    checkRecord(record);
    m_records[size_t(record)].flags |= textOf(f);
    m_texts[f].insert(record, text);
}

void FileListModel::setCreationDateText(int record, const QString& text)
{
    changeText(Created, record, text);
}

void FileListModel::setModifiedDateText(int record, const QString& text)
{
    changeText(Modified, record, text);
}

bool FileListModel::selected(int record) const
{
    checkRecord(record);
    return m_selected[size_t(record)] != 0;
}

void FileListModel::setSelected(int record, bool selected)
{
    checkRecord(record);
    m_selected[size_t(record)] = selected ? 1 : 0;
}

void FileListModel::setCurrent(int record, int row)
{
    m_currentRecord = record;
    m_currentRow = row;
}

void FileListModel::setCollides(int record, bool collides)
{
    checkRecord(record);
    quint8& flags = m_records[size_t(record)].flags;
    flags = quint8(collides ? flags | Collides : flags & ~Collides);
}
