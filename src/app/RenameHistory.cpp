// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RenameHistory.h"

#include "app/JournalFolder.h"

#include <QSet>

namespace
{

QSet<QString> namesOf(const RenameJournal::Contents& journal)
{
    QSet<QString> names;
    for (const RenameJournal::Step& step : journal.performed)
        names << step.from << step.to;
    return names;
}

} // namespace

RenameHistory::State RenameHistory::stateOf(const RenameJournal::Contents& journal)
{
    if (journal.undone)
        return State::Undone;
    if (!journal.backSteps.isEmpty() || !journal.restored.isEmpty())
        return State::PartlyUndone;
    if (!journal.ended)
        return State::Interrupted;
    return journal.completed ? State::Finished : State::Stopped;
}

QString RenameHistory::stateText(State state)
{
    switch (state) {
    case State::Finished:
        return QStringLiteral("finished");
    case State::Stopped:
        return QStringLiteral("stopped");
    case State::Interrupted:
        return QStringLiteral("interrupted");
    case State::Undone:
        return QStringLiteral("undone");
    case State::PartlyUndone:
        return QStringLiteral("partly undone");
    }
    return QString();
}

QList<RenameHistory::Pass> RenameHistory::passes(FileSystem& fs, QStringList* problems)
{
    const QStringList journals = JournalFolder::journals();
    QList<Pass> passes;
    const qsizetype oldest = qMax<qsizetype>(0, journals.size() - JournalFolder::keep());
    for (qsizetype i = journals.size() - 1; i >= oldest; --i) {
        Pass pass;
        pass.journal = journals[i];
        const QString problem = RenameJournal::load(fs, pass.journal, pass.contents);
        if (!problem.isEmpty()) {
            if (problems)
                *problems << problem;
            continue;
        }
        pass.state = stateOf(pass.contents);
        passes << pass;
    }
    return passes;
}

QList<qsizetype> RenameHistory::laterPassesTouching(const QList<Pass>& passes, qsizetype index)
{
    QList<qsizetype> later;
    const QSet<QString> names = namesOf(passes[index].contents);
    for (qsizetype i = 0; i < index; ++i) {
        if (passes[i].contents.folder == passes[index].contents.folder &&
            namesOf(passes[i].contents).intersects(names))
            later << i;
    }
    return later;
}
