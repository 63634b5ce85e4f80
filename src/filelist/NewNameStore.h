// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <vector>

// The new names of a list: a place (offset and length) per record in a few
// large texts, so a million names cost a few allocations rather than a
// million. A name no longer than the one it replaces takes its place; a
// longer one goes to the end of the last text, and the texts are written
// afresh once more than half of them is no longer pointed to. A run of the
// generator hands over its texts as they were made, one per part of the
// list, so the names are never held twice.
class NewNameStore
{
public:
    // Every record's name empty; no memory until the first name is set.
    void reset(std::size_t records);
    QStringView at(std::size_t record) const;
    void set(std::size_t record, QStringView name);

    // The names made by the parts of one generator run: the records
    // records[0..] get, in order, the names of texts[0] (their lengths in
    // sizes[0]), then those of texts[1], and so on. Every other record keeps
    // its name.
    void setMade(const std::vector<std::int32_t>& records, std::vector<QString>&& texts,
                 const std::vector<std::vector<quint32>>& sizes);

private:
    struct Place {
        quint32 at = 0; // in the texts taken as one, in order
        quint32 size = 0;
    };
    std::size_t textOf(quint32 at) const;
    qsizetype totalSize() const;
    void compact();

    std::size_t m_records = 0;
    std::vector<Place> m_places;     // empty until the first name is set
    std::vector<QString> m_texts;    // at least one once places exist
    std::vector<qsizetype> m_starts; // where each text starts
    qsizetype m_unused = 0;          // units no place points to
};
