// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DatePickerAccessible.h"

#include "DatePicker.h"

DatePickerAccessible::DatePickerAccessible(DatePicker* picker)
    : QAccessibleWidget(picker, QAccessible::ComboBox)
{
}

DatePicker* DatePickerAccessible::picker() const
{
    return static_cast<DatePicker*>(widget());
}

QString DatePickerAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value)
        return picker()->text();
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
        return picker()->dateToolTipText();
    return QAccessibleWidget::text(t);
}
