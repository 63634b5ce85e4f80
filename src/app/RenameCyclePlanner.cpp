// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RenameCyclePlanner.h"

#include "Session.h"
#include "platform/FileName.h"
#include "platform/FileSystem.h"

#include <tuple>

#include <QHash>

#include <algorithm>

namespace
{

const int Free = -1;    // the new name is free
const int Blocked = -2; // the new name is held for good

} // namespace

QString RenameCyclePlanner::temporaryName(int k)
{
    return QStringLiteral("quillon-cycle-%1.tmp").arg(k);
}

RenameCyclePlanner::Plan
RenameCyclePlanner::plan(const std::vector<std::pair<QString, QString>>& pairs,
                         const QSet<QString>& taken)
{
    const int n = int(pairs.size());
    QHash<QString, int> bySource, byTarget;
    bySource.reserve(n);
    for (int i = 0; i < n; ++i)
        bySource.insert(pairs[size_t(i)].first, i);

    // next[i]: the pair that must move before pair i can take its name.
    std::vector<int> next(size_t(n), Free);
    std::vector<bool> moving(size_t(n), false);
    for (int i = 0; i < n; ++i) {
        const auto& [from, to] = pairs[size_t(i)];
        moving[size_t(i)] = from != to;
        if (!moving[size_t(i)])
            continue;
        // The first listed file to claim a name gets it, as in the pass.
        if (!FileName::isPlainName(to) || byTarget.contains(to)) {
            next[size_t(i)] = Blocked;
            continue;
        }
        byTarget.insert(to, i);
        const auto holder = bySource.constFind(to);
        if (holder != bySource.cend())
            next[size_t(i)] = *holder;
        else if (taken.contains(to))
            next[size_t(i)] = Blocked;
    }
    for (int i = 0; i < n; ++i) {
        int& j = next[size_t(i)];
        if (j >= 0 && !moving[size_t(j)])
            j = Blocked; // held by a listed file that keeps its name
    }
    // A file is blocked when the end of its wait is: each walk is followed
    // once, and its verdict is given to every file on it.
    enum Fate : char { Open, Moves, Stays, OnWalk };
    std::vector<char> fate(size_t(n), Open);
    std::vector<int> walk;
    for (int i = 0; i < n; ++i) {
        if (!moving[size_t(i)] || fate[size_t(i)] != Open)
            continue;
        walk.clear();
        char verdict = Moves;
        for (int j = i;; j = next[size_t(j)]) {
            if (fate[size_t(j)] != Open) {
                verdict =
                    fate[size_t(j)] == OnWalk ? char(Moves) : fate[size_t(j)]; // a cycle moves
                break;
            }
            fate[size_t(j)] = OnWalk;
            walk.push_back(j);
            if (next[size_t(j)] < 0) {
                verdict = next[size_t(j)] == Blocked ? Stays : Moves;
                break;
            }
        }
        for (int j : walk)
            fate[size_t(j)] = verdict;
    }

    // Every name has one claimant, so the waits form simple chains and cycles.
    std::vector<int> waitedOn(size_t(n), 0);
    for (int i = 0; i < n; ++i)
        if (next[size_t(i)] >= 0)
            ++waitedOn[size_t(next[size_t(i)])];
    Plan plan;
    std::vector<char> planned(size_t(n), 0);
    // Chains: from each file nobody waits for, down to its free end, then
    // renamed from that end back.
    for (int i = 0; i < n; ++i) {
        if (fate[size_t(i)] != Moves || waitedOn[size_t(i)])
            continue;
        std::vector<int> chain;
        for (int j = i; j >= 0; j = next[size_t(j)])
            chain.push_back(j);
        for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
            planned[size_t(*it)] = 1;
            plan.steps.push_back({pairs[size_t(*it)].first, pairs[size_t(*it)].second});
        }
    }
    // Cycles: what is left open and moving and not blocked.
    int temp = 0;
    QString tempName;
    auto freshTemp = [&] {
        do
            tempName = temporaryName(temp++);
        while (taken.contains(tempName) || bySource.contains(tempName) ||
               byTarget.contains(tempName));
        return tempName;
    };
    for (int i = 0; i < n; ++i) {
        if (fate[size_t(i)] != Moves || planned[size_t(i)])
            continue;
        std::vector<int> cycle;
        for (int j = i; !planned[size_t(j)]; j = next[size_t(j)]) {
            planned[size_t(j)] = 1;
            cycle.push_back(j);
        }
        QStringList names;
        for (int j : cycle)
            names << pairs[size_t(j)].first;
        names << pairs[size_t(i)].first;
        plan.cycles << names;
        const QString through = freshTemp();
        plan.steps.push_back({pairs[size_t(i)].first, through});
        for (auto it = cycle.rbegin(); it + 1 != cycle.rend(); ++it)
            plan.steps.push_back({pairs[size_t(*it)].first, pairs[size_t(*it)].second});
        plan.steps.push_back({through, pairs[size_t(i)].second, true});
    }
    // The rest cannot get their names: tried last, directly, as without a plan.
    for (int i = 0; i < n; ++i) {
        if (moving[size_t(i)] && !planned[size_t(i)]) {
            plan.blocked << i;
            plan.steps.push_back({pairs[size_t(i)].first, pairs[size_t(i)].second});
        }
    }
    return plan;
}

RenameCyclePlanner::Plan RenameCyclePlanner::planFor(Session& session)
{
    std::vector<std::pair<QString, QString>> pairs;
    pairs.reserve(size_t(session.lastPosition() + 1));
    for (int i = 0; i <= session.lastPosition(); ++i)
        pairs.emplace_back(session.model().currentNameAt(i), session.model().newNameAt(i));
    QSet<QString> taken;
    // A name missed here because the folder cannot be listed costs a failed
    // step at most: a rename never replaces a file.
    std::ignore =
        session.fs().enumerate(session.folderPath(), false, [&taken](const FileSystem::Entry& e) {
            taken.insert(e.name);
            return true;
        });
    return plan(pairs, taken);
}
