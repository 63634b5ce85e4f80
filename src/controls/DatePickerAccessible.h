// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleWidget>

class DatePicker;

// The date picker as a combo box: its name is its accessible name (else its
// tool tip), its value the chosen date as the picker shows it; the date box
// and the calendar's buttons are its children.
class DatePickerAccessible : public QAccessibleWidget
{
public:
    explicit DatePickerAccessible(DatePicker* picker);

    QString text(QAccessible::Text t) const override;

private:
    DatePicker* picker() const;
};
