// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TakenOrder.h"

#include "ExifTags.h"
#include "Session.h"

#include <algorithm>
#include <numeric>
#include <tuple>
#include <vector>

namespace
{

enum Group { Taken, Modified, Undated };

struct Key {
    Group group = Undated;
    qint64 when = 0; // milliseconds since the epoch
};

Key keyOf(Session& session, int record)
{
    const FileListModel& model = session.model();
    const QString path = session.folderPath() + model.currentNameOf(record).toString();
    if (const auto taken =
            ExifTags::read(session.fs(), path).date(QStringLiteral("DateTimeOriginal")))
        return {Taken, taken->toMSecsSinceEpoch()};
    const FileListModel::Record& r = model.record(record);
    if (r.flags & FileListModel::StatOk)
        return {Modified, r.modified * 1000};
    return {Undated, 0};
}

} // namespace

void TakenOrder::sortByTaken(Session& session)
{
    std::vector<qint32>& order = session.model().displayOrder();
    std::vector<Key> keys(order.size());
    for (size_t r = 0; r < keys.size(); ++r)
        keys[r] = keyOf(session, int(r));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&keys](qint32 a, qint32 b) {
        const Key& x = keys[size_t(a)];
        const Key& y = keys[size_t(b)];
        return std::tie(x.group, x.when) < std::tie(y.group, y.when);
    });
}
