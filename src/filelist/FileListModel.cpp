#include "FileListModel.h"

#include "platform/DateText.h"

#include <stdexcept>

void FileListModel::Rows::reserve(qsizetype rows, qsizetype charsPerRow)
{
    m_arena.reserve(rows * charsPerRow);
    m_starts.reserve(size_t(rows));
    m_lengths.reserve(size_t(rows));
}

void FileListModel::Rows::beginRow()
{
    m_starts.push_back(m_arena.size());
    m_mark = m_arena.size();
    m_current = {};
}

void FileListModel::Rows::endField(Field field)
{
    m_current[field] = quint32(m_arena.size() - m_mark);
    m_mark = m_arena.size();
}

void FileListModel::Rows::endRow(QStringView newName)
{
    m_lengths.push_back(m_current);
    if (!newName.isEmpty()) {
        m_newNames.resize(m_starts.size());
        m_newNames.back() = newName.toString();
    }
}

void FileListModel::Rows::append(QStringView date1, QStringView date2, QStringView source,
                                 QStringView newName, QStringView size, QStringView spare)
{
    beginRow();
    // Fields are stored in Field order: dates, name, size, spare.
    m_arena += date1;
    endField(Date1);
    m_arena += date2;
    endField(Date2);
    m_arena += source;
    endField(Source);
    m_arena += size;
    endField(Size);
    m_arena += spare;
    endField(Spare);
    endRow(newName);
}

FileListModel::FileListModel(QObject* parent) : QObject(parent) {}

void FileListModel::setRows(QStringList& rows)
{
    Rows built;
    built.reserve(rows.size(), 48);
    for (QString& row : rows) {
        row += QLatin1String("||||||");
        const QStringView view(row);
        QStringView fields[6];
        qsizetype from = 0;
        for (int f = 0; f < 6; ++f) {
            const qsizetype bar = view.indexOf(QLatin1Char('|'), from);
            fields[f] = view.mid(from, bar - from);
            from = bar + 1;
        }
        built.append(fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]);
    }
    setRows(std::move(built));
}

void FileListModel::setRows(Rows&& rows)
{
    const size_t n = rows.m_starts.size();
    m_arena = std::move(rows.m_arena);
    m_arena.squeeze();
    m_starts = std::move(rows.m_starts);
    m_lengths = std::move(rows.m_lengths);
    m_desNames = std::move(rows.m_newNames);
    m_desNames.resize(n);
    m_lastIndex = n == 0 ? 0 : int(n - 1);
    m_displayOrder.resize(n);
    for (size_t i = 0; i < n; ++i)
        m_displayOrder[i] = qint32(i);
    m_selected.assign(n, 0);
    for (int k = 0; k < 2; ++k) {
        m_dateOverride[k].clear();
        m_dateOverride[k].shrink_to_fit();
        m_dateOverridden[k].clear();
    }
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

QStringView FileListModel::field(int record, Field f) const
{
    checkRecord(record);
    const auto& len = m_lengths[size_t(record)];
    qint64 start = m_starts[size_t(record)];
    for (int i = 0; i < f; ++i)
        start += len[i];
    return QStringView(m_arena).mid(start, len[f]);
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
    return m_desNames[size_t(recordAt(position))];
}

void FileListModel::setNewNameAt(int position, const QString& name)
{
    m_desNames[size_t(recordAt(position))] = name;
}

const QString& FileListModel::newNameOf(int record) const
{
    checkRecord(record);
    return m_desNames[size_t(record)];
}

int FileListModel::recordNumber(int record) const
{
    checkRecord(record);
    return record + 1;
}

qint32 FileListModel::byteSize(int record) const
{
    const QStringView text = sizeText(record);
    if (text.isEmpty())
        return 0;
    bool ok = false;
    const qlonglong value = DateText::locale().toLongLong(text, &ok);
    if (!ok) {
        // A plain number without grouping is accepted too.
        const qlonglong plain = text.toLongLong(&ok);
        if (!ok)
            throw std::invalid_argument("size text is not a number");
        return plain > INT32_MAX || plain < INT32_MIN
                   ? throw std::overflow_error("size does not fit 32 bits")
                   : qint32(plain);
    }
    if (value > INT32_MAX || value < INT32_MIN)
        throw std::overflow_error("size does not fit 32 bits");
    return qint32(value);
}

QString FileListModel::dateText(int column, int record) const
{
    checkRecord(record);
    if (!m_dateOverridden[column].empty() && m_dateOverridden[column][size_t(record)])
        return m_dateOverride[column][size_t(record)];
    return field(record, column == 0 ? Date1 : Date2).toString();
}

QStringView FileListModel::dateField(int column, int record) const
{
    checkRecord(record);
    if (!m_dateOverridden[column].empty() && m_dateOverridden[column][size_t(record)])
        return m_dateOverride[column][size_t(record)];
    return field(record, column == 0 ? Date1 : Date2);
}

QString FileListModel::creationDateText(int record) const
{
    return dateText(0, record);
}

QString FileListModel::modifiedDateText(int record) const
{
    return dateText(1, record);
}

QString FileListModel::commaText(int record) const
{
    QString out = creationDateText(record);
    out += QLatin1Char(',');
    out += modifiedDateText(record);
    out += QLatin1Char(',');
    out += currentNameOf(record);
    out += QLatin1Char(',');
    out += newNameOf(record);
    out += QLatin1Char(',');
    out += sizeText(record);
    return out;
}

void FileListModel::changeDate(int column, int record, const QString& text)
{
    checkRecord(record);
    if (m_dateOverridden[column].empty()) {
        m_dateOverride[column].resize(size_t(recordCount()));
        m_dateOverridden[column].assign(size_t(recordCount()), 0);
    }
    m_dateOverride[column][size_t(record)] = text;
    m_dateOverridden[column][size_t(record)] = 1;
}

void FileListModel::setCreationDateText(int record, const QString& text)
{
    changeDate(0, record, text);
}

void FileListModel::setModifiedDateText(int record, const QString& text)
{
    changeDate(1, record, text);
}

int FileListModel::selectedNumber(int record) const
{
    checkRecord(record);
    return m_selected[size_t(record)] == 1 ? record + 1 : -1;
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
