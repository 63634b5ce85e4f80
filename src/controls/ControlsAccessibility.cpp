// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ControlsAccessibility.h"

#include "DatePicker.h"
#include "DatePickerAccessible.h"
#include "FileListAccessible.h"
#include "FileListView.h"
#include "FolderBrowser.h"
#include "FolderBrowserAccessible.h"
#include "RenderedButton.h"
#include "RenderedButtonAccessible.h"
#include "ScrollBar.h"
#include "ScrollBarAccessible.h"

#include <QAccessible>

namespace
{

// Qt asks with the class names of the object's type and then of its base
// classes; only our own controls are answered here.
QAccessibleInterface* controlInterface(const QString& className, QObject* object)
{
    if (className == QLatin1String("RenderedButton"))
        return new RenderedButtonAccessible(static_cast<RenderedButton*>(object));
    if (className == QLatin1String("ScrollBar"))
        return new ScrollBarAccessible(static_cast<ScrollBar*>(object));
    if (className == QLatin1String("FileListView"))
        return new FileListAccessible(static_cast<FileListView*>(object));
    if (className == QLatin1String("DatePicker"))
        return new DatePickerAccessible(static_cast<DatePicker*>(object));
    if (className == QLatin1String("FolderBrowser"))
        return new FolderBrowserAccessible(static_cast<FolderBrowser*>(object));
    return nullptr;
}

} // namespace

void ControlsAccessibility::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(controlInterface);
        return true;
    }();
    Q_UNUSED(installed);
}
