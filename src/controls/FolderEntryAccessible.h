// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AccessibleLeaf.h"

#include <QAccessibleInterface>
#include <QPointer>

class FolderBrowser;

// One entry of the folder browser (index 1 is the first) as a list item:
// its name as shown, selected when it is the chosen entry, invisible while
// scrolled out of view.
class FolderEntryAccessible : public AccessibleLeaf
{
public:
    FolderEntryAccessible(FolderBrowser* browser, int entry);

    int entry() const { return m_entry; }

    bool isValid() const override;
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QString text(QAccessible::Text t) const override;
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override;

private:
    QPointer<FolderBrowser> m_browser;
    int m_entry;
};
