// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FolderBrowserAccessible.h"

#include "FolderBrowser.h"
#include "FolderEntryAccessible.h"

FolderBrowserAccessible::FolderBrowserAccessible(FolderBrowser* browser)
    : QAccessibleWidget(browser, QAccessible::List)
{
}

FolderBrowserAccessible::~FolderBrowserAccessible()
{
    for (const QAccessible::Id id : std::as_const(m_entries))
        QAccessible::deleteAccessibleInterface(id);
}

FolderBrowser* FolderBrowserAccessible::browser() const
{
    return static_cast<FolderBrowser*>(widget());
}

int FolderBrowserAccessible::widgetChildren() const
{
    return QAccessibleWidget::childCount();
}

int FolderBrowserAccessible::childCount() const
{
    return widgetChildren() + browser()->entryCount();
}

QAccessibleInterface* FolderBrowserAccessible::child(int index) const
{
    const int widgets = widgetChildren();
    if (index < widgets)
        return QAccessibleWidget::child(index);
    const int entry = index - widgets + 1;
    if (entry > browser()->entryCount())
        return nullptr;
    if (const QAccessible::Id id = m_entries.value(entry))
        return QAccessible::accessibleInterface(id);
    auto* item = new FolderEntryAccessible(browser(), entry);
    m_entries.insert(entry, QAccessible::registerAccessibleInterface(item));
    return item;
}

int FolderBrowserAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    if (const auto* item = dynamic_cast<const FolderEntryAccessible*>(child))
        return item->isValid() ? widgetChildren() + item->entry() - 1 : -1;
    return QAccessibleWidget::indexOfChild(child);
}
