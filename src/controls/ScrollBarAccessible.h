// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleWidget>

class ScrollBar;

// The scroll bar as a scroll bar with its value, minimum and maximum; a
// screen reader may set the value as a drag of the thumb would.
class ScrollBarAccessible : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit ScrollBarAccessible(ScrollBar* bar);

    void* interface_cast(QAccessible::InterfaceType t) override;
    QString text(QAccessible::Text t) const override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant& value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

private:
    ScrollBar* bar() const;
};
