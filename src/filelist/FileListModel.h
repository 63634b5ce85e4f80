#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <cstdint>
#include <vector>

// The files of one folder as numbered records: creation and modified date
// texts, current name, proposed new name, size text and a spare text, with
// DisplayOrder mapping a list position (row on screen) to a record index.
//
// Operations named after the list control's members take a list position
// (currentNameAt, newNameAt, setNewNameAt) or a record index (all others). A record or
// position outside 0..lastIndex throws std::out_of_range, which callers handle
// as their own operation says; currentNameAt and newNameAt return "" above the top.
//
// Storage: the texts fixed at load time (dates, name, size, spare) sit in one
// arena with offsets per record, so a million records cost one allocation
// rather than millions; new names, which change with every generator run, are
// one QString per record. Every array is sized once per load.
class FileListModel : public QObject
{
    Q_OBJECT
public:
    enum Field { Date1, Date2, Source, Size, Spare, FieldCount };

    // Rows as the folder scan and the search build them: fields appended
    // directly, so a file name holding "|" stays whole.
    class Rows
    {
    public:
        void reserve(qsizetype rows, qsizetype charsPerRow = 64);
        void append(QStringView date1, QStringView date2, QStringView source, QStringView newName,
                    QStringView size, QStringView spare = {});
        // Appends field `field` of the row being built; endRow() completes it.
        QString& arena() { return m_arena; }
        void beginRow();
        void endField(Field field); // the text appended since the last mark
        void endRow(QStringView newName = {});
        qsizetype count() const { return qsizetype(m_starts.size()); }

    private:
        friend class FileListModel;
        QString m_arena;
        std::vector<qint64> m_starts;
        std::vector<std::array<quint32, FieldCount>> m_lengths;
        std::vector<QString> m_newNames;
        qint64 m_mark = 0;
        std::array<quint32, FieldCount> m_current{};
    };

    explicit FileListModel(QObject* parent = nullptr);

    // Replaces the whole list from row texts joined by "|" (creation date,
    // modified date, name, new name, size, spare). Six "|" are appended to
    // every element in place, as the row format prescribes.
    void setRows(QStringList& rows);
    void setRows(Rows&& rows);

    QString currentNameAt(int position) const;
    QString newNameAt(int position) const;
    void setNewNameAt(int position, const QString& name);
    int recordNumber(int record) const;
    qint32 byteSize(int record) const; // std::overflow_error at 2 GiB and more
    QString commaText(int record) const;
    QString lastIndexText() const { return QString::number(m_lastIndex); }
    void setCreationDateText(int record, const QString& text);
    void setModifiedDateText(int record, const QString& text);
    int selectedNumber(int record) const;

    // Direct access for the view, the sort and the writers.
    int lastIndex() const { return m_lastIndex; }
    int recordCount() const { return int(m_starts.size()); }
    int recordAt(int position) const; // DisplayOrder(position), checked
    QStringView field(int record, Field f) const;
    QString creationDateText(int record) const;
    QString modifiedDateText(int record) const;
    // The date text of column 0 (creation) or 1 (modified) without a copy;
    // valid while the list and its dates are unchanged.
    QStringView dateField(int column, int record) const;
    QStringView currentNameOf(int record) const { return field(record, Source); }
    const QString& newNameOf(int record) const;
    QStringView sizeText(int record) const { return field(record, Size); }
    QStringView spareText(int record) const { return field(record, Spare); }
    bool selected(int record) const;
    void setSelected(int record, bool selected);
    std::vector<qint32>& displayOrder() { return m_displayOrder; }
    const std::vector<qint32>& displayOrder() const { return m_displayOrder; }
    int currentRecord() const { return m_currentRecord; }
    int currentRow() const { return m_currentRow; }
    void setCurrent(int record, int row);

    // Asks the view to redraw the visible rows (the list's refresh).
    void refresh() { emit refreshRequested(); }

signals:
    void reloaded();         // after setRows: scroll to the top, lay out, draw
    void refreshRequested(); // redraw the visible rows

private:
    void checkRecord(int record) const;
    void checkPosition(int position) const;
    void changeDate(int column, int record, const QString& text);
    QString dateText(int column, int record) const;

    int m_lastIndex = 0;
    int m_currentRecord = 0;
    int m_currentRow = 0;
    QString m_arena;
    std::vector<qint64> m_starts;
    std::vector<std::array<quint32, FieldCount>> m_lengths;
    std::vector<QString> m_desNames;
    std::vector<qint32> m_displayOrder;
    std::vector<quint8> m_selected;
    // Date texts changed by the date pickers; empty until the first change.
    std::vector<QString> m_dateOverride[2];
    std::vector<quint8> m_dateOverridden[2];
};
