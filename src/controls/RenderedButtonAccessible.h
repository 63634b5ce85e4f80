// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleWidget>

class RenderedButton;

// The rendered button as a push button: its caption is its name, its tool
// tip its description, and the press action clicks it as the mouse does
// (later, from the event loop, so that what the click opens never blocks the
// screen reader's call).
class RenderedButtonAccessible : public QAccessibleWidget
{
public:
    explicit RenderedButtonAccessible(RenderedButton* button);

    QString text(QAccessible::Text t) const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    RenderedButton* button() const;
};
