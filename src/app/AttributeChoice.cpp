// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AttributeChoice.h"

#include "platform/FileSystem.h"

void AttributeChoice::setChecked(int box, bool checked)
{
    if (m_checked[box] != checked) {
        m_checked[box] = checked;
        emit checkedChanged(box, checked);
    }
}

void AttributeChoice::mouseDown(int box)
{
    if (box == Normal) {
        for (int other = Readonly; other <= System; ++other)
            setChecked(other, false);
    } else {
        setChecked(Normal, false);
    }
}

int AttributeChoice::bit(int box)
{
    static const int bits[4] = {FileSystem::Normal, FileSystem::ReadOnly, FileSystem::Hidden,
                                FileSystem::System};
    return bits[box];
}

int AttributeChoice::renameValue() const
{
    bool any = false;
    int value = 0;
    for (int box = Normal; box <= System; ++box) {
        if (m_checked[box]) {
            any = true;
            value += bit(box);
        }
    }
    return any ? value : -1;
}

int AttributeChoice::batchValue() const
{
    int value = 0;
    for (int box = Readonly; box <= System; ++box) {
        if (m_checked[box])
            value += bit(box);
    }
    return value;
}
