// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QThreadPool>

#include <memory>

class Session;

// New names made off the interface thread: the naming stage of the
// session's NamingOrder with its boxes' inputs, over a copy of the list's
// current names, and the collision marks, on a worker thread. When a run
// ends its names and marks are put into the list (and applied() says so);
// a newer start cancels an older run, whose names are never shown. Runs go
// one after the other on one thread, so a cancelled run that is still
// winding down cannot race a newer one.
//
// Every operation that reads new names (a pass, a sort, a copy, an export)
// calls settle() first, through Session::awaitNames, so it sees the names of
// the last start and never a mix. Whatever replaces the list or its names
// calls drop().
class NameProposals : public QObject
{
    Q_OBJECT
public:
    NameProposals(Session& session, QObject* parent = nullptr);
    ~NameProposals() override;

    // Starts a run for the list as it is now.
    void start();
    // Waits for the run under way and puts its names into the list.
    void settle();
    // Cancels the run under way; returns once it no longer reads the list.
    void drop();
    bool pending() const { return m_current != nullptr; }

signals:
    void applied(int changes); // how many files a pass would rename now

private:
    struct Run;
    void work(const std::shared_ptr<Run>& run);
    void apply(const std::shared_ptr<Run>& run);

    Session& m_session;
    QThreadPool m_pool;
    std::shared_ptr<Run> m_current;
};
