// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "NamingOrder.h"

#include "NameForms.h"
#include "Session.h"
#include "TakenOrder.h"
#include "filelist/FileListModel.h"
#include "filelist/ListColumns.h"
#include "filelist/NaturalOrder.h"

#include <algorithm>

namespace
{

// The indexes the clicks "natural" and "taken" get, beside the header
// buttons 0..5.
const int NaturalClick = -1;
const int TakenClick = -2;
const int NewNameColumn = 4;
// How many names the expression makes between two looks at a cancel.
const int CancelStride = 2048;

QList<int> clicksOf(const QStringList& names)
{
    QList<int> clicks;
    for (const QString& name : names) {
        if (name.compare(QLatin1String("natural"), Qt::CaseInsensitive) == 0)
            clicks << NaturalClick;
        else if (name.compare(QLatin1String("taken"), Qt::CaseInsensitive) == 0)
            clicks << TakenClick;
        else
            clicks << ListColumns::fromCliName(name);
    }
    return clicks;
}

// One header click per name, with the column kinds the window gives its
// list (so a second click on a column reverses it). "natural" and "taken"
// sort the current names in natural order and the files by the time they
// were taken; clicked again right after, they reverse the list too. A header
// clicked after them starts afresh.
void sortByClicks(Session& session, const QList<int>& clicks)
{
    ListSorter& sorter = session.sorter();
    std::optional<int> last;
    for (int index : clicks) {
        std::vector<qint32>& order = session.model().displayOrder();
        if (index < 0 && last == index) {
            std::reverse(order.begin(), order.end());
        } else if (index == NaturalClick) {
            NaturalOrder::sortByCurrentName(session.model());
            sorter = ListColumns::newSorter();
        } else if (index == TakenClick) {
            TakenOrder::sortByTaken(session);
            sorter = ListColumns::newSorter();
        } else if (index >= 0) {
            sorter.sortByHeader(session.model(), index);
        }
        last = index;
    }
}

// The clicks once more from the list's own order, as if they had been made
// on the names as they are now.
void sortAgain(Session& session, const QList<int>& clicks)
{
    std::vector<qint32>& order = session.model().displayOrder();
    for (size_t k = 0; k < order.size(); ++k)
        order[k] = qint32(k);
    session.sorter() = ListColumns::newSorter();
    sortByClicks(session, clicks);
}

} // namespace

std::optional<NamingOrder> NamingOrder::create(const NamingRules& rules, QString& why,
                                               RegexReplace::Fault* fault)
{
    NamingOrder order;
    order.m_rules = rules;
    if (rules.templateText && !(order.m_template = NameTemplate::create(*rules.templateText, why)))
        return std::nullopt;
    if (rules.expression &&
        !(order.m_regex = RegexReplace::create(*rules.expression, rules.expressionWith, why,
                                               rules.matchCase, fault)))
        return std::nullopt;
    return order;
}

void NamingOrder::setInputs(Session& session) const
{
    // "Same" is the list item that empties the pattern: every name stays.
    session.setPattern(m_rules.pattern == NameGenerator::sameItem() ? QString() : m_rules.pattern);
    session.setExtension(m_rules.extension);
    session.setReplaceText(m_rules.replaceText);
    session.setReplaceWith(m_rules.replaceWith);
    session.setTypeFilter(m_rules.filter);
}

// The scan makes the generator's names in the order of the folder; the
// template and expression are made once the list has its final order, so
// that their file reads (dates, picture tags) happen once. Names sorted
// before they are numbered again are only a draft: what they would say is
// said when they are made for good.
NamingOrder::Outcome NamingOrder::prepare(Session& session, const Steps& steps) const
{
    setInputs(session);
    session.scanFolder();
    if (steps.scanned)
        steps.scanned(session);
    if (session.noFilesMatch())
        return Outcome::NoFilesMatch;
    if (steps.search && !steps.search(session))
        return Outcome::Stopped;
    const QList<int> clicks = clicksOf(m_rules.sort);
    sortByClicks(session, clicks);
    // A padding typed by the person replaces the one the scan chose.
    if (m_rules.padding)
        session.setPadding(*m_rules.padding);
    const bool byNewName = clicks.contains(NewNameColumn);
    const bool generate = !clicks.isEmpty() || m_rules.padding;
    if (generate || m_template || m_regex)
        makeNames(session, generate, byNewName ? nullptr : &steps);
    if (steps.afterNames && !steps.afterNames(session))
        return Outcome::Stopped;
    if (byNewName) {
        sortAgain(session, clicks);
        // Pasted names belong to their files; they carry no numbers.
        if (!steps.pastesNames) {
            makeNames(session, true, &steps);
            if (steps.afterNames && !steps.afterNames(session))
                return Outcome::Stopped;
        }
    }
    return Outcome::Ready;
}

bool NamingOrder::cancelled(const Stage& stage)
{
    return stage.cancel && stage.cancel->load(std::memory_order_relaxed);
}

bool NamingOrder::makeNames(FileListModel& model, int last, const Stage& stage) const
{
    if (m_template) {
        const auto lacking = [&stage](const QString& name, const QString& tag) {
            if (stage.notes && stage.notes->lacking)
                stage.notes->lacking(name, tag);
        };
        m_template->applyTo(model, last, *stage.fs, stage.folder, lacking, stage.cancel);
    } else if (stage.generate &&
               !NameGenerator::run(model, last, stage.generator, *stage.prompter)) {
        return false;
    }
    for (int k = 0; m_regex && k <= last; ++k) {
        if (k % CancelStride == 0 && cancelled(stage))
            return false;
        bool gaveUp = false;
        model.setNewNameAt(k, m_regex->apply(model.newNameAt(k), &gaveUp));
        if (gaveUp && stage.notes && stage.notes->gaveUp)
            stage.notes->gaveUp(model.currentNameAt(k));
    }
    if (cancelled(stage))
        return false;
    finish(model, last);
    return true;
}

void NamingOrder::finish(FileListModel& model, int last) const
{
    if (!m_rules.normalize.isEmpty() || m_rules.fitLength)
        NameForms::finish(model, last, m_rules.normalize, m_rules.fitLength);
}

bool NamingOrder::makeNames(Session& session, bool generate, const Steps* notes, int count) const
{
    Stage stage;
    stage.generator = {session.pattern(), session.padding(), session.extension(),
                       session.replaceText(), session.replaceWith()};
    stage.generate = generate;
    stage.fs = &session.fs();
    stage.folder = session.folderPath();
    stage.prompter = &session.prompter();
    stage.notes = notes;
    const int last = count < 0 ? session.lastPosition() : qMin(session.lastPosition(), count - 1);
    const bool made = makeNames(session.model(), last, stage);
    session.model().refresh();
    return made;
}

int NamingOrder::changeCount(const FileListModel& model, int last)
{
    int count = 0;
    last = qMin(last, int(model.displayOrder().size()) - 1);
    for (int k = 0; k <= last; ++k) {
        const int record = model.recordAt(k);
        count +=
            !model.collides(record) && model.newNameView(record) != model.currentNameOf(record);
    }
    return count;
}

void NamingOrder::sortList(Session& session, const QStringList& clicks)
{
    sortByClicks(session, clicksOf(clicks));
}

void NamingOrder::sortAgainAs(Session& session, const QString& click)
{
    session.awaitNames();
    sortByClicks(session, clicksOf({click}));
    if (session.namesFollowOrder())
        session.generateNames();
    else
        session.checkProposals(); // which file gets a name depends on the order
}
