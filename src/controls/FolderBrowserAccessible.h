// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleWidget>
#include <QHash>

class FolderBrowser;

// The folder browser as a list: its scroll bar, then one list item per
// entry (drives, "..", folders, files) named as shown. Items are made as a
// screen reader asks for them and read the browser when asked, so they
// follow every relisting.
class FolderBrowserAccessible : public QAccessibleWidget
{
public:
    explicit FolderBrowserAccessible(FolderBrowser* browser);
    ~FolderBrowserAccessible() override;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;

    FolderBrowser* browser() const;

private:
    int widgetChildren() const;

    mutable QHash<int, QAccessible::Id> m_entries; // by entry index (1-based)
};
