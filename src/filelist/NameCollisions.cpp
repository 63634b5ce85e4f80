// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "NameCollisions.h"

#include "FileListModel.h"
#include "platform/HugePages.h"
#include "platform/NameRules.h"
#include "platform/SplitWork.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <vector>

// A list of a million files is checked after every change of its names, so
// the check reads each name once (on every core), makes no text for a name
// of ASCII characters (almost every name), and compares names as texts only
// where their hashes say they may be equal.
namespace
{

// The form a name is compared in: NFC, case-folded where the disk folds.
// Only names with a character outside ASCII need a text of their own; an
// ASCII name is its own form, folded as it is read (see hashOf).
QString compareForm(QStringView name, bool foldsCase)
{
    const QString form = name.toString().normalized(QString::NormalizationForm_C);
    return foldsCase ? form.toCaseFolded() : form;
}

// A vector of n values, on huge pages where it is large: its pages are
// touched for the first time here, and a fault per 4 KiB page would cost
// more than the check itself.
template <typename T> std::vector<T> hugeVector(std::size_t n, T value = {})
{
    std::vector<T> v;
    v.reserve(n);
    HugePages::advise(v.data(), n * sizeof(T));
    v.resize(n, value);
    return v;
}

// How many positions ahead the memory a check reads next is asked for.
constexpr std::size_t Ahead = 16;

// Four UTF-16 units with 'A'..'Z' in lower case. A unit beyond ASCII whose
// low seven bits spell a capital changes too: the hash stays the same for
// forms equal but for ASCII letter case (the only folding left to do on a
// form), which is all a hash needs.
quint64 lowerAscii(quint64 units)
{
    const quint64 low = units & 0x007F007F007F007Full;
    const quint64 fromA = low + 0x003F003F003F003Full; // bit 7 set from 'A' on
    const quint64 pastZ = low + 0x0025002500250025ull; // bit 7 set past 'Z'
    return units | ((fromA & ~pastZ & 0x0080008000800080ull) >> 2);
}

// A form's hash, read four units at a time, and whether the name read is
// plain ASCII (then it is its own form).
struct FormHash {
    quint64 hash = 0;
    bool ascii = true;
};

template <bool FoldsCase> FormHash hashOf(QStringView name)
{
    constexpr quint64 Mix = 0x9E3779B97F4A7C15ull;
    const char16_t* p = name.utf16();
    const qsizetype size = name.size();
    quint64 h = quint64(size) * Mix, beyond = 0;
    const auto add = [&h, &beyond](quint64 units) {
        beyond |= units;
        h = (std::rotl(h, 23) ^ (FoldsCase ? lowerAscii(units) : units)) * Mix;
    };
    qsizetype i = 0;
    for (; i + 4 <= size; i += 4) {
        quint64 units;
        std::memcpy(&units, p + i, sizeof units);
        add(units);
    }
    if (i < size) {
        quint64 units = 0;
        for (int shift = 0; i < size; ++i, shift += 16)
            units |= quint64(p[i]) << shift;
        add(units);
    }
    h ^= h >> 33; // the bits mixed down, as MurmurHash3 ends
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    return {h, (beyond & 0xFF80FF80FF80FF80ull) == 0};
}

FormHash hashOf(QStringView name, bool foldsCase)
{
    return foldsCase ? hashOf<true>(name) : hashOf<false>(name);
}

bool sameForm(QStringView a, QStringView b, bool foldsCase)
{
    if (!foldsCase || a.size() != b.size())
        return a == b;
    // Forms beyond ASCII are folded already: only ASCII letters may differ.
    for (qsizetype i = 0; i < a.size(); ++i) {
        const char16_t x = a[i].unicode(), y = b[i].unicode();
        const char16_t lower = x | 0x20;
        if (x != y && ((y | 0x20) != lower || lower < 'a' || lower > 'z'))
            return false;
    }
    return true;
}

// Which hashes occur more than once among a list's names, two bits per slot
// (seen once, seen again) in a table a few megabytes large: almost every
// name of a large list occurs once and is passed over after one look here,
// so only the few others are compared as texts. A slot shared by two
// different hashes makes a name a candidate in vain, which costs a
// comparison and never a wrong mark.
class RepeatedHashes
{
public:
    explicit RepeatedHashes(std::size_t names)
        : m_slots(std::bit_ceil(names * 16 + 64)), m_shift(64 - std::countr_zero(m_slots)),
          m_words(hugeVector<quint64>(m_slots / 32))
    {
    }
    void add(quint64 h)
    {
        const std::size_t i = std::size_t(h >> m_shift);
        quint64& word = m_words[i / 32];
        const quint64 once = 1ull << (2 * (i % 32));
        word |= once | ((word & once) << 1);
    }
    bool repeated(quint64 h) const
    {
        const std::size_t i = std::size_t(h >> m_shift);
        return m_words[i / 32] & (2ull << (2 * (i % 32)));
    }
    // The table is larger than a processor's caches and each name lands
    // anywhere in it: the slot of a name a few ahead is asked for early.
    void prefetch(quint64 h) const { __builtin_prefetch(&m_words[std::size_t(h >> m_shift) / 32]); }

private:
    std::size_t m_slots;
    int m_shift;
    std::vector<quint64> m_words;
};

// A name that may occur more than once, as the disk compares it: the
// position holding it as its current name, the position whose proposal the
// pass gives it, and whether a file the list does not show holds it.
struct Claim {
    quint64 hash = 0;
    QStringView form;
    int holder = -1;
    int claimer = -1;
    bool unlisted = false;
};

// The claims of the names the repeated hashes point out, found by their
// hash and compared as forms.
class Claims
{
public:
    Claims(std::size_t names, bool foldsCase)
        : m_slots(std::bit_ceil(names * 2 + 16), -1), m_foldsCase(foldsCase)
    {
        m_claims.reserve(names); // so that no reference handed out moves
    }
    Claim& of(quint64 hash, QStringView form)
    {
        const std::size_t mask = m_slots.size() - 1;
        for (std::size_t i = std::size_t(hash) & mask;; i = (i + 1) & mask) {
            if (m_slots[i] < 0) {
                m_slots[i] = int(m_claims.size());
                m_claims.push_back({hash, form});
                return m_claims.back();
            }
            Claim& c = m_claims[std::size_t(m_slots[i])];
            if (c.hash == hash && sameForm(c.form, form, m_foldsCase))
                return c;
        }
    }

private:
    std::vector<int> m_slots;
    std::vector<Claim> m_claims;
    bool m_foldsCase;
};

// The check of one list, position by position in the order shown.
class Check
{
public:
    Check(const FileListModel& model, std::size_t count, const NameRules& rules)
        : m_model(model), m_order(model.displayOrder().data()), m_count(count),
          m_folds(rules.foldsCase), m_rules(rules), m_hashes(hugeVector<Hashes>(count)),
          m_state(hugeVector<quint8>(count))
    {
    }
    void readNames(const QSet<QString>& unlistedNames);
    // Marks the model's records; returns how many collide.
    int mark(FileListModel& model);

private:
    enum State : quint8 {
        Stays = 1,            // the proposal is the current name
        Refused = 2,          // empty, or the disk takes no file under it
        CurrentForm = 4,      // the current name's form is in m_forms
        ProposalForm = 8,     // the proposal's form is in m_forms
        CurrentRepeated = 16, // its hash may be another name's
        ProposalRepeated = 32,
        Renamed = 64 // the pass gives it its proposal
    };
    QStringView currentName(std::size_t k) const { return m_model.currentNameOf(m_order[k]); }
    QStringView proposalName(std::size_t k) const { return m_model.newNameView(m_order[k]); }
    QStringView currentForm(std::size_t k) const
    {
        return m_state[k] & CurrentForm ? QStringView(m_forms[2 * k]) : currentName(k);
    }
    QStringView proposalForm(std::size_t k) const
    {
        return m_state[k] & ProposalForm ? QStringView(m_forms[2 * k + 1]) : proposalName(k);
    }
    quint64 formHash(QStringView name, std::size_t slot, quint8& state, quint8 formBit);
    void readName(std::size_t k);
    bool collides(std::size_t k, Claims& claims);

    const FileListModel& m_model;
    const qint32* m_order;
    std::size_t m_count;
    bool m_folds;
    const NameRules& m_rules;
    struct Hashes {
        quint64 current = 0, proposal = 0; // of their forms
    };
    std::vector<Hashes> m_hashes;
    std::vector<quint8> m_state;
    std::once_flag m_formsMade;
    std::vector<QString> m_forms; // 2k the current name's, 2k+1 the proposal's
    std::vector<QString> m_unlistedForms;
    std::vector<quint64> m_unlisted;
};

quint64 Check::formHash(QStringView name, std::size_t slot, quint8& state, quint8 formBit)
{
    const FormHash read = hashOf(name, m_folds);
    if (read.ascii)
        return read.hash;
    // Each part of the list writes only its own slots once they exist.
    std::call_once(m_formsMade, [this] { m_forms.resize(2 * m_count); });
    m_forms[slot] = compareForm(name, m_folds);
    state |= formBit;
    return hashOf(m_forms[slot], m_folds).hash;
}

void Check::readName(std::size_t k)
{
    const QStringView current = currentName(k), proposal = proposalName(k);
    quint8& state = m_state[k];
    m_hashes[k].current = formHash(current, 2 * k, state, CurrentForm);
    if (proposal == current) {
        state |= Stays;
    } else if (proposal.isEmpty() || m_rules.refuses(proposal)) {
        state |= Refused;
    } else {
        m_hashes[k].proposal = formHash(proposal, 2 * k + 1, state, ProposalForm);
        if (m_hashes[k].proposal == m_hashes[k].current &&
            sameForm(currentForm(k), proposalForm(k), m_folds))
            state |= Stays; // the same name to the disk: a change of letter case or form
    }
}

void Check::readNames(const QSet<QString>& unlistedNames)
{
    // The names of a list lie where they were made (the proposals of one
    // edited by hand far from their neighbours), and waiting for memory is
    // most of the time here: the names a few positions ahead are asked for
    // before they are read.
    SplitWork::run(m_count, 16384, [this](std::size_t, std::size_t from, std::size_t to) {
        for (std::size_t k = from; k < to; ++k) {
            if (k + Ahead < to) {
                __builtin_prefetch(currentName(k + Ahead).data());
                __builtin_prefetch(proposalName(k + Ahead).data());
            }
            readName(k);
        }
    });
    for (const QString& name : unlistedNames) {
        const FormHash read = hashOf(name, m_folds);
        m_unlistedForms.push_back(read.ascii ? name : compareForm(name, m_folds));
        m_unlisted.push_back(read.ascii ? read.hash : hashOf(m_unlistedForms.back(), m_folds).hash);
    }
}

bool Check::collides(std::size_t k, Claims& claims)
{
    const quint8 state = m_state[k];
    if (state & Refused)
        return true;
    if (!(state & ProposalRepeated))
        return false; // no other name, listed or not, is this one
    Claim& claim = claims.of(m_hashes[k].proposal, proposalForm(k));
    const int holder = claim.holder;
    const bool collides =
        claim.claimer >= 0 ||
        (holder >= 0 && std::size_t(holder) != k &&
         (std::size_t(holder) > k || !(m_state[std::size_t(holder)] & Renamed))) ||
        (holder < 0 && claim.unlisted);
    if (!collides)
        claim.claimer = int(k);
    return collides;
}

int Check::mark(FileListModel& model)
{
    RepeatedHashes repeated(2 * m_count + m_unlisted.size());
    const auto prefetch = [this, &repeated](std::size_t k) {
        if (k + Ahead < m_count) {
            repeated.prefetch(m_hashes[k + Ahead].current);
            repeated.prefetch(m_hashes[k + Ahead].proposal);
        }
    };
    for (std::size_t k = 0; k < m_count; ++k) {
        prefetch(k);
        repeated.add(m_hashes[k].current);
        if (!(m_state[k] & (Stays | Refused)))
            repeated.add(m_hashes[k].proposal);
    }
    for (const quint64 h : m_unlisted)
        repeated.add(h);
    std::size_t candidates = 0;
    for (std::size_t k = 0; k < m_count; ++k) {
        prefetch(k);
        if (repeated.repeated(m_hashes[k].current)) {
            m_state[k] |= CurrentRepeated;
            ++candidates;
        }
        if (!(m_state[k] & (Stays | Refused)) && repeated.repeated(m_hashes[k].proposal)) {
            m_state[k] |= ProposalRepeated;
            ++candidates;
        }
    }
    // The holders first: a later file holds its name when an earlier one's
    // turn comes.
    Claims claims(candidates + m_unlisted.size(), m_folds);
    for (std::size_t k = 0; k < m_count; ++k)
        if (m_state[k] & CurrentRepeated)
            claims.of(m_hashes[k].current, currentForm(k)).holder = int(k);
    for (std::size_t u = 0; u < m_unlisted.size(); ++u)
        if (repeated.repeated(m_unlisted[u]))
            claims.of(m_unlisted[u], m_unlistedForms[u]).unlisted = true;
    int collisions = 0;
    for (std::size_t k = 0; k < m_count; ++k) {
        const bool stays = m_state[k] & Stays;
        const bool hit = !stays && collides(k, claims);
        if (!hit && !stays)
            m_state[k] |= Renamed;
        model.setCollides(m_order[k], hit);
        collisions += hit;
    }
    return collisions;
}

} // namespace

int NameCollisions::mark(FileListModel& model, int fileLast, const QSet<QString>& unlistedNames,
                         const NameRules& rules)
{
    const int last = qMin(fileLast, int(model.displayOrder().size()) - 1);
    const std::size_t count = std::size_t(qMax(last + 1, 0));
    Check check(model, count, rules);
    check.readNames(unlistedNames);
    return check.mark(model);
}

QString NameCollisions::countText(int count)
{
    return count == 1 ? QStringLiteral("1 new name collides")
                      : QStringLiteral("%1 new names collide").arg(count);
}
