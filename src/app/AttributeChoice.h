// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

// The four attribute check boxes of the "Set Attributes :" frame: "Normal"
// (box 0) and "Readonly", "Hidden", "System" (boxes 1 to 3).
//
// A mouse button going down on "Normal" unchecks the three others, and on
// any of the three unchecks "Normal", before the clicked box toggles; a
// toggle by keyboard (or by code) clears nothing. The window calls
// mouseDown() from the boxes' mouse handlers, setChecked() whenever a box
// toggles, and follows checkedChanged() to show unchecks.
class AttributeChoice : public QObject
{
    Q_OBJECT
public:
    enum Box { Normal = 0, Readonly = 1, Hidden = 2, System = 3 };

    explicit AttributeChoice(QObject* parent = nullptr) : QObject(parent) {}

    bool isChecked(int box) const { return m_checked[box]; }
    void setChecked(int box, bool checked);
    void mouseDown(int box);

    // The attribute bit a box stands for: Normal 0, Readonly 1, Hidden 2,
    // System 4.
    static int bit(int box);
    // The value the rename pass applies: -1 (leave attributes alone) when no
    // box is checked, else the sum of the checked boxes' bits.
    int renameValue() const;
    // The value the batch command SetFileAttributes applies: the sum of the
    // checked Readonly, Hidden and System boxes, 0 when none is; "Normal" is
    // not consulted.
    int batchValue() const;

signals:
    void checkedChanged(int box, bool checked);

private:
    bool m_checked[4] = {};
};
