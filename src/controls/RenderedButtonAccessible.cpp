// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RenderedButtonAccessible.h"

#include "RenderedButton.h"

#include <QPointer>

RenderedButtonAccessible::RenderedButtonAccessible(RenderedButton* button)
    : QAccessibleWidget(button, QAccessible::Button)
{
}

RenderedButton* RenderedButtonAccessible::button() const
{
    return static_cast<RenderedButton*>(widget());
}

QString RenderedButtonAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
        return button()->caption();
    return QAccessibleWidget::text(t);
}

QStringList RenderedButtonAccessible::actionNames() const
{
    return {pressAction()};
}

void RenderedButtonAccessible::doAction(const QString& actionName)
{
    if (actionName != pressAction() || !widget()->isEnabled())
        return;
    QMetaObject::invokeMethod(
        button(),
        [target = QPointer<RenderedButton>(button())] {
            if (target && target->isEnabled())
                emit target->clicked();
        },
        Qt::QueuedConnection);
}
