// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "NameGenerator.h"
#include "NameTemplate.h"
#include "NamingRules.h"
#include "RegexReplace.h"

#include <QList>

#include <atomic>
#include <functional>
#include <optional>

class FileListModel;
class FileSystem;
class Prompter;
class Session;

// The order in which new names are made, for both front ends: the type
// filter (the scan), the search, the sort, the generator or the template in
// its place, the regular expression over what they proposed, the Replace
// button and pasted names, the sort by new name, the numbers given again in
// the final order, and the collision marks. quillon-cli runs all of it from
// its options (prepare); the window runs the naming stage (makeNames) each
// time an input changes, on its own thread when the person types in the
// Template and Expression panel.
class NamingOrder
{
public:
    // The steps only one front end has, run in their places.
    struct Steps {
        std::function<void(Session&)> scanned;    // right after the scan
        std::function<bool(Session&)> search;     // after it; false stops
        std::function<bool(Session&)> afterNames; // Replace button, pasted names; false stops
        bool pastesNames = false;                 // afterNames pastes: names of their own
        std::function<void(const QString&, const QString&)> lacking; // (name, tag)
        std::function<void(const QString&)> gaveUp; // the expression gave up on a name
    };
    enum class Outcome { Ready, NoFilesMatch, Stopped };

    // The order for these rules, or no value with why() when the template
    // or the expression cannot be used; fault: a fault of the expression in
    // the engine's words, with its position.
    static std::optional<NamingOrder> create(const NamingRules& rules, QString& why,
                                             RegexReplace::Fault* fault = nullptr);
    const NamingRules& rules() const { return m_rules; }
    bool hasTemplate() const { return m_template.has_value(); }

    // The inputs the session keeps for its boxes: pattern, extension,
    // replace pair, filter.
    void setInputs(Session& session) const;
    // Everything from the scan to the collision marks, as quillon-cli runs it.
    Outcome prepare(Session& session, const Steps& steps) const;

    // The naming stage over positions 0..last of a list: the generator
    // (unless generate is false or a template stands in its place), the
    // template, the expression, finish(). Stops early when cancel turns true. Returns
    // false when the generator refused its pattern or the run was
    // cancelled.
    struct Stage {
        NameGenerator::Inputs generator;
        bool generate = true;
        FileSystem* fs = nullptr;
        QString folder; // with its closing "/"
        Prompter* prompter = nullptr;
        const Steps* notes = nullptr; // lacking and gaveUp, when wanted
        const std::atomic<bool>* cancel = nullptr;
    };
    bool makeNames(FileListModel& model, int last, const Stage& stage) const;
    // The stage over the session's list with its boxes, for its first
    // `count` positions (all by default).
    bool makeNames(Session& session, bool generate, const Steps* notes = nullptr,
                   int count = -1) const;
    // The last touch of the naming stage, also for names changed after it
    // (the Replace button, pasted names): the Unicode form and the fit to
    // 255 bytes the rules ask for.
    void finish(FileListModel& model, int last) const;

    // How many listed files a pass would rename: a proposal that differs
    // from the current name and does not collide.
    static int changeCount(const FileListModel& model, int last);
    // Sorts the list as the header clicks named (NamingRules::sort) would.
    static void sortList(Session& session, const QStringList& clicks);
    // One such click in the window: the names numbered in the order shown
    // follow it, as after a header click.
    static void sortAgainAs(Session& session, const QString& click);

private:
    NamingOrder() = default;
    static bool cancelled(const Stage& stage);

    NamingRules m_rules;
    std::optional<NameTemplate> m_template;
    std::optional<RegexReplace> m_regex;
};
