// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScrollBarAccessible.h"

#include "ScrollBar.h"

ScrollBarAccessible::ScrollBarAccessible(ScrollBar* bar)
    : QAccessibleWidget(bar, QAccessible::ScrollBar)
{
}

ScrollBar* ScrollBarAccessible::bar() const
{
    return static_cast<ScrollBar*>(widget());
}

void* ScrollBarAccessible::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
}

QString ScrollBarAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value)
        return QString::number(bar()->value());
    return QAccessibleWidget::text(t);
}

QVariant ScrollBarAccessible::currentValue() const
{
    return bar()->value();
}

void ScrollBarAccessible::setCurrentValue(const QVariant& value)
{
    bar()->setValue(value.toInt());
}

QVariant ScrollBarAccessible::maximumValue() const
{
    return bar()->valueMax();
}

QVariant ScrollBarAccessible::minimumValue() const
{
    return bar()->valueMin();
}

QVariant ScrollBarAccessible::minimumStepSize() const
{
    return bar()->valueSmallChange();
}
