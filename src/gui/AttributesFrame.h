// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/AttributeChoice.h"

#include <QGroupBox>

class QCheckBox;

// "Set Attributes :": the Normal, Readonly, Hidden and System boxes. A mouse
// press on one box clears the boxes it excludes before it toggles; the
// keyboard toggles a box alone. The rename pass and the batch read their
// attribute values from choice().
class AttributesFrame : public QGroupBox
{
    Q_OBJECT
public:
    explicit AttributesFrame(QWidget* parent);

    QCheckBox* normalBox;
    QCheckBox* readonlyBox;
    QCheckBox* hiddenBox;
    QCheckBox* systemBox;

    const AttributeChoice& choice() const { return m_choice; }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // The box of an AttributeChoice index: 0 Normal, 1 Readonly, 2 Hidden, 3 System.
    QCheckBox* box(int index) const;

    AttributeChoice m_choice;
};
