// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "NameProposals.h"

#include "NamingOrder.h"
#include "Session.h"
#include "filelist/FileListModel.h"
#include "filelist/NameCollisions.h"
#include "platform/QuietPrompter.h"

#include <condition_variable>
#include <mutex>

struct NameProposals::Run {
    std::shared_ptr<const NamingOrder> order;
    NamingOrder::Stage stage;
    const FileListModel* list = nullptr; // read until copied
    int last = -1;
    std::size_t rows = 0;
    QSet<QString> unlisted;
    NameRules rules; // the listed folder's disk, as Session::checkProposals marks
    bool followsOrder = false;

    std::atomic<bool> cancel{false};
    std::mutex mutex;
    std::condition_variable changed;
    bool copied = false; // the current names are copied: the list may change
    bool done = false;

    FileListModel made; // position k is record k
    bool ok = false;
    int collisions = 0;
    int changes = 0;
};

NameProposals::NameProposals(Session& session, QObject* parent)
    : QObject(parent), m_session(session)
{
    m_pool.setMaxThreadCount(1);
}

NameProposals::~NameProposals()
{
    drop();
    m_pool.waitForDone();
}

void NameProposals::start()
{
    drop();
    const FileListModel& model = m_session.model();
    if (m_session.lastPosition() < 0 || model.holdsNoFiles())
        return;
    auto run = std::make_shared<Run>();
    run->order = m_session.naming();
    run->stage.generator = {m_session.pattern(), m_session.padding(), m_session.extension(),
                            m_session.replaceText(), m_session.replaceWith()};
    run->stage.fs = &m_session.fs();
    run->stage.folder = m_session.folderPath();
    run->stage.cancel = &run->cancel;
    run->list = &model;
    run->last = qMin(m_session.lastPosition(), int(model.displayOrder().size()) - 1);
    run->rows = model.displayOrder().size();
    run->unlisted = m_session.unlistedNames();
    run->rules = m_session.nameRules();
    run->followsOrder = NameGenerator::isNumbered(m_session.pattern()) || run->order->hasTemplate();
    m_current = run;
    m_pool.start([this, run] { work(run); });
}

void NameProposals::work(const std::shared_ptr<Run>& run)
{
    {
        FileListModel::Rows rows;
        rows.reserve(run->last + 1);
        for (int k = 0; k <= run->last && !run->cancel; ++k)
            rows.appendFile(run->list->currentNameOf(run->list->recordAt(k)), 0, 0, 0, true);
        std::lock_guard lock(run->mutex);
        run->copied = true;
        run->list = nullptr;
        run->changed.notify_all();
        if (!run->cancel)
            run->made.setRows(std::move(rows));
    }
    // The worker asks nobody: a pattern the generator refuses leaves the
    // list's names as they are, and the person sees the refusal when they
    // press Generate.
    QuietPrompter silent(Prompter::FailureAnswer::Stop);
    run->stage.prompter = &silent;
    run->ok = !run->cancel && run->order->makeNames(run->made, run->last, run->stage);
    if (run->ok) {
        run->collisions = NameCollisions::mark(run->made, run->last, run->unlisted, run->rules);
        run->changes = NamingOrder::changeCount(run->made, run->last);
    }
    run->stage.prompter = nullptr;
    {
        std::lock_guard lock(run->mutex);
        run->done = true;
        run->changed.notify_all();
    }
    QMetaObject::invokeMethod(
        this, [this, run] { apply(run); }, Qt::QueuedConnection);
}

void NameProposals::settle()
{
    const std::shared_ptr<Run> run = m_current;
    if (!run)
        return;
    {
        std::unique_lock lock(run->mutex);
        run->changed.wait(lock, [&run] { return run->done; });
    }
    apply(run);
}

void NameProposals::drop()
{
    const std::shared_ptr<Run> run = std::exchange(m_current, nullptr);
    if (!run)
        return;
    run->cancel = true;
    // A run not begun yet copies nothing once cancelled; one under way
    // stops copying at its next name.
    std::unique_lock lock(run->mutex);
    run->changed.wait(lock, [&run] { return run->copied || run->done; });
}

void NameProposals::apply(const std::shared_ptr<Run>& run)
{
    if (run != m_current)
        return; // cancelled, or applied already by settle()
    m_current = nullptr;
    FileListModel& model = m_session.model();
    if (!run->ok || model.displayOrder().size() != run->rows)
        return;
    const FileListModel& made = run->made;
    model.setNewNames(run->last + 1, [&made]() -> FileListModel::NameMaker {
        return [&made](int k, QStringView, QString& out) { out += made.newNameView(k); };
    });
    for (int k = 0; k <= run->last; ++k)
        model.setCollides(model.recordAt(k), made.collides(k));
    m_session.setNamesFollowOrder(run->followsOrder);
    model.refresh();
    m_session.takeCollisionCount(run->collisions);
    emit applied(run->changes);
}
