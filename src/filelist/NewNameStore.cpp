// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "NewNameStore.h"

#include "platform/HugePages.h"

#include <algorithm>
#include <limits>
#include <new>

namespace
{

// Places are 32-bit offsets: a list's new names hold at most 4 G units.
void checkFits(qsizetype total)
{
    if (total > qsizetype(std::numeric_limits<quint32>::max()))
        throw std::bad_alloc();
}

} // namespace

void NewNameStore::reset(std::size_t records)
{
    m_records = records;
    m_places = {};
    m_texts = {};
    m_starts = {};
    m_unused = 0;
}

std::size_t NewNameStore::textOf(quint32 at) const
{
    // A handful of texts (one per core at most): the last one starting at
    // or before `at`.
    const auto it = std::upper_bound(m_starts.begin(), m_starts.end(), qsizetype(at));
    return std::size_t(it - m_starts.begin()) - 1;
}

qsizetype NewNameStore::totalSize() const
{
    return m_texts.empty() ? 0 : m_starts.back() + m_texts.back().size();
}

QStringView NewNameStore::at(std::size_t record) const
{
    if (m_places.empty() || m_places[record].size == 0)
        return {};
    const Place p = m_places[record];
    const std::size_t t = textOf(p.at);
    return QStringView(m_texts[t]).mid(p.at - m_starts[t], p.size);
}

void NewNameStore::set(std::size_t record, QStringView name)
{
    if (m_places.empty()) {
        m_places.resize(m_records);
        m_texts = {QString()};
        m_starts = {0};
    }
    Place& p = m_places[record];
    if (qsizetype(p.size) >= name.size()) {
        if (!name.isEmpty()) {
            const std::size_t t = textOf(p.at);
            std::copy(name.begin(), name.end(), m_texts[t].begin() + (p.at - m_starts[t]));
        }
        m_unused += p.size - name.size();
        p.size = quint32(name.size());
        return;
    }
    checkFits(totalSize() + name.size());
    m_unused += p.size;
    p = {quint32(totalSize()), quint32(name.size())};
    m_texts.back() += name;
    if (m_unused > 1 << 20 && m_unused > totalSize() / 2)
        compact();
}

void NewNameStore::setMade(const std::vector<std::int32_t>& records, std::vector<QString>&& texts,
                           const std::vector<std::vector<quint32>>& sizes)
{
    std::size_t made = 0;
    for (const auto& s : sizes)
        made += s.size();
    if (made == m_records) {
        reset(m_records); // every name is new: the old texts are not read
    } else {
        // The names kept go first, written afresh into one text.
        for (std::size_t k = 0; k < made; ++k)
            set(std::size_t(records[k]), {});
        compact();
    }
    if (m_places.empty()) {
        m_places.reserve(m_records);
        HugePages::advise(m_places.data(), m_records * sizeof(Place));
        m_places.resize(m_records);
    }
    qsizetype at = totalSize();
    std::size_t k = 0;
    for (std::size_t part = 0; part < texts.size(); ++part) {
        checkFits(at + texts[part].size());
        m_starts.push_back(at);
        for (const quint32 size : sizes[part]) {
            m_places[std::size_t(records[k++])] = {quint32(at), size};
            at += size;
        }
        m_texts.push_back(std::move(texts[part]));
    }
}

void NewNameStore::compact()
{
    QString kept;
    kept.reserve(totalSize() - m_unused);
    for (std::size_t r = 0; r < m_places.size(); ++r) {
        const QStringView name = at(r);
        m_places[r] = {quint32(kept.size()), quint32(name.size())};
        kept += name;
    }
    m_texts = {std::move(kept)};
    m_starts = {0};
    m_unused = 0;
}
