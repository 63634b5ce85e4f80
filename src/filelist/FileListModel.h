// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "filelist/NewNameStore.h"
#include "platform/NameOrder.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

// The files of one folder as numbered records: creation and modified dates,
// current name, proposed new name, size and a spare text, with DisplayOrder
// mapping a list position (row on screen) to a record index.
//
// Operations named after the list control's members take a list position
// (currentNameAt, newNameAt, setNewNameAt) or a record index (all others). A record or
// position outside 0..lastIndex throws std::out_of_range, which callers handle
// as their own operation says; currentNameAt and newNameAt return "" above the top.
//
// Storage, sized for a million records: a record keeps the dates and the
// size as numbers (32 bytes with the place of its name), and their texts are
// written when asked for (drawn, listed, exported), in the locale and time
// zone of that moment. The names sit in one text, the new names in another
// with a place per record, so a million records cost a few allocations
// rather than millions. Texts that are not numbers (rows loaded from texts,
// a date set by the date pickers) are kept aside per record and field.
class FileListModel : public QObject
{
    Q_OBJECT
public:
    enum Field { Created, Modified, CurrentName, Size, Spare, FieldCount };

    struct Record {
        qint64 created = 0; // seconds since the epoch
        qint64 modified = 0;
        qint64 size = 0;
        quint32 nameAt = 0; // in the names text
        quint16 nameSize = 0;
        quint8 flags = 0; // StatOk, and a TextOf bit per field held as text
    };
    enum RecordFlag : quint8 { StatOk = 1, Collides = 0x80 };
    static constexpr quint8 textOf(Field f) { return quint8(2u << f); }

    // Rows as the folder scan and the search build them.
    class Rows
    {
    public:
        void reserve(qsizetype rows, qsizetype nameUnits = 16);
        // A file as the scan reads it; one whose facts could not be read
        // (statOk false) shows the zero creation date, no modified date and
        // no size.
        void appendFile(QStringView name, qint64 created, qint64 modified, qint64 size,
                        bool statOk);
        // A row of texts, each field shown as it stands (a name may hold "|").
        void append(QStringView created, QStringView modified, QStringView name,
                    QStringView newName, QStringView size, QStringView spare = {});
        qsizetype count() const { return qsizetype(m_records.size()); }
        QStringView nameOf(qsizetype row) const;
        // Puts row order[k] at k, for every k; order is a permutation.
        void putInOrder(const std::vector<quint32>& order);
        // The same with sorted[k].index as order[k]: the scan's keys put
        // the rows in order without a second list of indices beside them.
        void putInOrder(const std::vector<NameOrder::Key>& sorted);

    private:
        friend class FileListModel;
        template <typename OrderAt> void placeRows(size_t count, OrderAt order);
        std::vector<Record> m_records;
        QString m_names;
        std::array<QHash<qint32, QString>, FieldCount> m_texts;
        QHash<qint32, QString> m_newNames;
    };

    explicit FileListModel(QObject* parent = nullptr);

    // Replaces the whole list.
    void setRows(Rows&& rows);
    // The list of a folder that shows no file: one empty record, so that
    // every operation on record 0 still finds one, which the view does not
    // draw.
    void setNoFiles();
    bool holdsNoFiles() const { return m_noFiles; }

    // Appends the new name of one list position, made from its current
    // name, to out.
    using NameMaker = std::function<void(int position, QStringView current, QString& out)>;
    // Sets the new names of positions 0..count-1 at once, made on every core:
    // each part of the list gets its own maker from makerForPart.
    void setNewNames(int count, const std::function<NameMaker()>& makerForPart);

    QString currentNameAt(int position) const;
    QString newNameAt(int position) const;
    void setNewNameAt(int position, QStringView name);
    int recordNumber(int record) const;
    void setCreationDateText(int record, const QString& text);
    void setModifiedDateText(int record, const QString& text);

    // Direct access for the view, the sort and the writers.
    int lastIndex() const { return m_lastIndex; }
    int recordCount() const { return int(m_records.size()); }
    int recordAt(int position) const; // DisplayOrder(position), checked
    QString field(int record, Field f) const;
    // Appends the text of field f to out, without a copy between.
    void appendField(QString& out, int record, Field f) const;
    const Record& record(int record) const;
    QString creationDateText(int record) const { return field(record, Created); }
    QString modifiedDateText(int record) const { return field(record, Modified); }
    QStringView currentNameOf(int record) const;
    QString newNameOf(int record) const { return newNameView(record).toString(); }
    // Valid until the next change of a new name.
    QStringView newNameView(int record) const;
    QString sizeText(int record) const { return field(record, Size); }
    QString spareText(int record) const { return field(record, Spare); }
    // Whether the record's proposal collides (see NameCollisions).
    bool collides(int record) const { return m_records[size_t(record)].flags & Collides; }
    void setCollides(int record, bool collides);
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
    void replaceRows(Rows&& rows, bool noFiles);
    void checkRecord(int record) const;
    void checkPosition(int position) const;
    void changeText(Field f, int record, const QString& text);

    int m_lastIndex = 0;
    bool m_noFiles = false;
    int m_currentRecord = 0;
    int m_currentRow = 0;
    std::vector<Record> m_records;
    QString m_names;
    std::array<QHash<qint32, QString>, FieldCount> m_texts;
    NewNameStore m_newNames;
    std::vector<qint32> m_displayOrder;
    std::vector<quint8> m_selected;
};
