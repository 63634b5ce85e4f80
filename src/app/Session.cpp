// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Session.h"

#include "NameGenerator.h"
#include "filelist/FolderScan.h"
#include "filelist/NameCollisions.h"
#include "filelist/TypeFilter.h"
#include "platform/BusyPointer.h"
#include "platform/FileSystem.h"
#include "platform/Prompter.h"

Session::Session(FileSystem& fs, Prompter& prompter, QObject* parent)
    : QObject(parent), m_fs(fs), m_prompter(prompter), m_folder(fs.currentFolder())
{
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
        setPadding(FolderScan::zerosFor(m_lastPosition));
        m_prompter.processEvents();
        if (m_lastPosition >= 0)
            m_model.setRows(std::move(rows));
    }
    if (m_lastPosition >= 0) {
        generateNames();
    } else {
        m_model.setNoFiles();
        checkProposals();
    }
    emit scanned();
}

void Session::generateNames()
{
    NameGenerator::generateNames(*this);
}

void Session::sortByHeader(int column)
{
    m_sorter.sortByHeader(m_model, column);
    if (m_namesFollowOrder)
        generateNames();
    else
        checkProposals(); // which file gets a name depends on the order
}

void Session::checkProposals()
{
    m_nameRules.windowsNames |= m_forceWindowsNames;
    const int count = NameCollisions::mark(m_model, m_lastPosition, m_unlistedNames, m_nameRules);
    if (count != m_collisions || count > 0) {
        m_collisions = count;
        emit collisionsChanged(count);
    }
}
