// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "NameCollisions.h"

#include "FileListModel.h"
#include "platform/NameRules.h"

#include <QHash>

#include <bit>
#include <cstdint>
#include <vector>

namespace
{

// Which hashes occur more than once among a list's names, in two bit sets a
// few megabytes large: almost every name of a large list occurs once and is
// passed over after one look here, so only the few others are compared as
// texts. A bit shared by two different hashes makes a name a candidate in
// vain, which costs a comparison and never a wrong mark.
class RepeatedHashes
{
public:
    explicit RepeatedHashes(std::size_t names)
        : m_bits(std::bit_ceil(names * 16 + 64)), m_shift(64 - std::countr_zero(m_bits)),
          m_once(m_bits / 64), m_twice(m_bits / 64)
    {
    }
    static quint64 hash(QStringView name) { return qHash(name) * 0x9E3779B97F4A7C15ull; }
    void add(quint64 h)
    {
        const std::size_t i = std::size_t(h >> m_shift);
        const quint64 bit = 1ull << (i % 64);
        if (m_once[i / 64] & bit)
            m_twice[i / 64] |= bit;
        m_once[i / 64] |= bit;
    }
    bool repeated(quint64 h) const
    {
        const std::size_t i = std::size_t(h >> m_shift);
        return m_twice[i / 64] & (1ull << (i % 64));
    }

private:
    std::size_t m_bits;
    int m_shift;
    std::vector<quint64> m_once;
    std::vector<quint64> m_twice;
};

// A name that may occur more than once: the position holding it as its
// current name, and the position whose proposal the pass gives it.
struct Claim {
    int holder = -1;
    int claimer = -1;
};

// The marks over names as the disk compares them: current(k) and
// proposal(k) give those forms, refused(k) whether the disk takes no file
// under the proposal at all.
template <typename Current, typename Proposal, typename Refused, typename Unlisted>
std::vector<bool> collisionsOf(std::size_t count, Current current, Proposal proposal,
                               Refused refused, Unlisted unlisted)
{
    const int last = int(count) - 1;
    RepeatedHashes repeated(count * 2);
    std::vector<quint64> proposalHash(count);
    for (int k = 0; k <= last; ++k) {
        repeated.add(RepeatedHashes::hash(current(k)));
        if (proposal(k) != current(k))
            repeated.add(proposalHash[std::size_t(k)] = RepeatedHashes::hash(proposal(k)));
    }
    // The names that may occur twice, with their holders.
    QHash<QStringView, Claim> claims;
    for (int k = 0; k <= last; ++k)
        if (repeated.repeated(RepeatedHashes::hash(current(k))))
            claims[current(k)].holder = k;

    std::vector<bool> renamed(count, false), collides(count, false);
    for (int k = 0; k <= last; ++k) {
        const QStringView to = proposal(k);
        if (to == current(k) && !refused(k))
            continue;
        Claim* claim = repeated.repeated(proposalHash[std::size_t(k)]) ? &claims[to] : nullptr;
        const int holder = claim ? claim->holder : -1;
        collides[std::size_t(k)] =
            to.isEmpty() || refused(k) || (claim && claim->claimer >= 0) ||
            (holder >= 0 && holder != k && (holder > k || !renamed[std::size_t(holder)])) ||
            (holder < 0 && unlisted(to));
        if (!collides[std::size_t(k)]) {
            renamed[std::size_t(k)] = true;
            if (claim)
                claim->claimer = k;
        }
    }
    return collides;
}

bool isAscii(QStringView name)
{
    for (QChar c : name)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

// A name as the disk compares it: NFC (NFD twins are one name to a person
// and to every Windows and macOS disk), case-folded where the disk folds.
QString compareForm(QStringView name, bool foldsCase)
{
    QString form =
        isAscii(name) ? name.toString() : name.toString().normalized(QString::NormalizationForm_C);
    return foldsCase ? form.toCaseFolded() : form;
}

} // namespace

int NameCollisions::mark(FileListModel& model, int fileLast, const QSet<QString>& unlistedNames,
                         const NameRules& rules)
{
    const int last = qMin(fileLast, model.recordCount() - 1);
    const std::size_t count = std::size_t(qMax(last + 1, 0));
    std::vector<int> records(count);
    for (std::size_t k = 0; k < count; ++k)
        records[k] = model.recordAt(int(k));
    const auto current = [&](int k) { return model.currentNameOf(records[std::size_t(k)]); };
    const auto proposal = [&](int k) { return model.newNameView(records[std::size_t(k)]); };
    const auto refused = [&](int k) {
        return proposal(k) != current(k) && !rules.refusal(proposal(k)).isEmpty();
    };

    bool plain = !rules.foldsCase;
    for (int k = 0; k <= last && plain; ++k)
        plain = isAscii(current(k)) && isAscii(proposal(k));
    std::vector<bool> collides;
    if (plain) {
        collides = collisionsOf(count, current, proposal, refused, [&](QStringView to) {
            return !unlistedNames.isEmpty() && unlistedNames.contains(to.toString());
        });
    } else {
        std::vector<QString> currentForm(count), proposalForm(count);
        for (std::size_t k = 0; k < count; ++k) {
            currentForm[k] = compareForm(current(int(k)), rules.foldsCase);
            proposalForm[k] = compareForm(proposal(int(k)), rules.foldsCase);
        }
        QSet<QString> unlistedForms;
        for (const QString& name : unlistedNames)
            unlistedForms.insert(compareForm(name, rules.foldsCase));
        collides = collisionsOf(
            count, [&](int k) { return QStringView(currentForm[std::size_t(k)]); },
            [&](int k) { return QStringView(proposalForm[std::size_t(k)]); }, refused,
            [&](QStringView to) { return unlistedForms.contains(to.toString()); });
    }
    int collisions = 0;
    for (std::size_t k = 0; k < count; ++k) {
        model.setCollides(records[k], collides[k]);
        collisions += collides[k];
    }
    return collisions;
}

QString NameCollisions::countText(int count)
{
    return count == 1 ? QStringLiteral("1 new name collides")
                      : QStringLiteral("%1 new names collide").arg(count);
}
