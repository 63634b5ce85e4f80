// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Session.h"

#include "NameGenerator.h"
#include "NameProposals.h"
#include "NamingOrder.h"
#include "filelist/FolderScan.h"
#include "filelist/NameCollisions.h"
#include "filelist/TypeFilter.h"
#include "platform/BusyPointer.h"
#include "platform/FileSystem.h"
#include "platform/Prompter.h"

Session::Session(FileSystem& fs, Prompter& prompter, QObject* parent)
    : QObject(parent), m_fs(fs), m_prompter(prompter), m_folder(fs.currentFolder())
{
    QString why;
    m_naming = std::make_shared<const NamingOrder>(*NamingOrder::create(NamingRules(), why));
}

NamingRules Session::namingRules() const
{
    NamingRules rules = m_naming->rules();
    rules.pattern = m_pattern;
    rules.padding = m_padding;
    rules.extension = m_extension;
    rules.replaceText = m_replaceText;
    rules.replaceWith = m_replaceWith;
    rules.filter = m_typeFilter;
    rules.swaps = m_swaps;
    return rules;
}

NameProposals& Session::proposals()
{
    if (!m_proposals)
        m_proposals = new NameProposals(*this, this);
    return *m_proposals;
}

void Session::awaitNames()
{
    if (m_proposals)
        m_proposals->settle();
}

void Session::dropPendingNames()
{
    if (m_proposals)
        m_proposals->drop();
}

void Session::takeCollisionCount(int count)
{
    if (count != m_collisions || count > 0) {
        m_collisions = count;
        emit collisionsChanged(count);
    }
    emit proposalsChanged();
}

void Session::setPattern(const QString& pattern)
{
    if (pattern != m_pattern) {
        m_pattern = pattern;
        emit patternChanged(pattern);
    }
}

void Session::setPadding(const QString& padding)
{
    if (padding != m_padding) {
        m_padding = padding;
        emit paddingChanged(padding);
    }
}

void Session::setExtension(const QString& extension)
{
    if (extension != m_extension) {
        m_extension = extension;
        emit extensionChanged(extension);
    }
}

void Session::applyFilter(const QString& boxText)
{
    m_typeFilter = boxText;
    scanFolder();
}

bool Session::noFilesMatch() const
{
    return m_lastPosition < 0 && !TypeFilter(m_typeFilter).passesAll();
}

void Session::scanFolder()
{
    dropPendingNames(); // made for the list this scan replaces
    // The new list comes in name order: a sort of the old one no longer holds,
    // and a click on its column must sort, not reverse.
    m_sorter = ListColumns::newSorter();
    FileListModel::Rows rows;
    {
        BusyPointer busy(m_prompter);
        FolderScan::Result result;
        const std::unique_ptr<ScanAhead> ahead = std::move(m_scanAhead);
        if (!ahead || !ahead->take(m_folder, m_typeFilter, result, rows))
            result = FolderScan::scan(m_fs, m_folder, m_typeFilter, rows);
        m_folderPath = result.folderPath;
        m_lastPosition = result.fileLast;
        m_filesLeftOut = result.leftOut;
        m_unlistedNames = std::move(result.unlisted);
        m_nameRules = NameRules::forFolder(m_folderPath);
        m_nameRules.windowsNames |= m_forceWindowsNames;
        setPadding(FolderScan::zerosFor(m_lastPosition));
        m_prompter.processEvents();
        if (m_lastPosition >= 0)
            m_model.setRows(std::move(rows));
    }
    if (m_backgroundFrom > 0 && m_lastPosition + 1 >= m_backgroundFrom) {
        m_naming->makeNames(*this, true, nullptr, FirstNames);
        proposals().start();
    } else if (m_lastPosition >= 0) {
        generateNames();
    } else {
        m_model.setNoFiles();
        checkProposals();
    }
    emit scanned();
}

bool Session::generateNames()
{
    dropPendingNames();
    if (!m_naming->makeNames(*this, true))
        return false;
    setNamesFollowOrder(NameGenerator::isNumbered(m_pattern) || m_naming->hasTemplate());
    checkProposals();
    return true;
}

void Session::sortByHeader(int column)
{
    awaitNames();
    m_sorter.sortByHeader(m_model, column);
    if (m_namesFollowOrder)
        generateNames();
    else
        checkProposals(); // which file gets a name depends on the order
}

void Session::checkProposals()
{
    takeCollisionCount(NameCollisions::mark(m_model, m_lastPosition, m_unlistedNames, m_nameRules));
}
