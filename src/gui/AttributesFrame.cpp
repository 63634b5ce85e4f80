// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AttributesFrame.h"

#include "FormParts.h"

#include <QCheckBox>
#include <QMouseEvent>

AttributesFrame::AttributesFrame(QWidget* parent) : QGroupBox(parent)
{
    setToolTip(QStringLiteral("Set file Attributes "));
    const char* const captions[] = {"Normal", "Readonly", "Hidden", "System"};
    const int tops[] = {270, 675, 1080, 1485};
    const char* const names[] = {"normalBox", "readonlyBox", "hiddenBox", "systemBox"};
    for (int i = 0; i < 4; ++i) {
        auto* check = new QCheckBox(QString::fromLatin1(captions[i]), this);
        check->setToolTip(QStringLiteral("Set Files Attributes..."));
        // The focused box turns dark blue: a lighter label alone is not seen.
        check->setStyleSheet(QStringLiteral(
            "QCheckBox { background: rgb(128, 128, 255); color: white; font-weight: normal; }"
            "QCheckBox:focus { background: rgb(0, 40, 110); }"));
        FormParts::place(check, 135, tops[i], 1785, 360);
        check->installEventFilter(this);
        QCheckBox** const member[] = {&normalBox, &readonlyBox, &hiddenBox, &systemBox};
        *member[i] = check;
        check->setObjectName(QString::fromLatin1(names[i]));
        connect(check, &QCheckBox::toggled, this,
                [this, i](bool checked) { m_choice.setChecked(i, checked); });
    }
    connect(&m_choice, &AttributeChoice::checkedChanged, this,
            [this](int index, bool checked) { box(index)->setChecked(checked); });
}

QCheckBox* AttributesFrame::box(int index) const
{
    QCheckBox* const boxes[] = {normalBox, readonlyBox, hiddenBox, systemBox};
    return boxes[index];
}

bool AttributesFrame::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() == QEvent::MouseButtonPress) {
        for (int i = 0; i < 4; ++i)
            if (watched == box(i))
                m_choice.mouseDown(i);
    }
    return QGroupBox::eventFilter(watched, e);
}
