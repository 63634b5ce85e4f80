// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormParts.h"

#include "controls/Twips.h"

#include "controls/RenderedButton.h"
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>

QGroupBox* FormParts::frame(QWidget* parent, const QString& caption)
{
    auto* box = new QGroupBox(caption, parent);
    styleFrame(box);
    return box;
}

void FormParts::styleFrame(QGroupBox* box)
{
    box->setAutoFillBackground(true);
    QPalette p = box->palette();
    p.setColor(QPalette::Window, QColor(240, 240, 240));
    box->setPalette(p);
    box->setStyleSheet(QStringLiteral("QGroupBox { font-weight: bold; }"));
}

QComboBox* FormParts::editableBox(QWidget* parent, const QString& text, const QStringList& items,
                                  const QString& tip)
{
    auto* box = new QComboBox(parent);
    box->setEditable(true);
    // What a person types stays exactly as typed: no inline completion (it
    // turned a typed "D" into a batch line that deletes files), and Enter adds
    // nothing to the list.
    box->setCompleter(nullptr);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(items);
    box->setEditText(text);
    box->setToolTip(tip);
    return box;
}

RenderedButton* FormParts::command(QWidget* parent, const QString& caption, const QString& tip)
{
    auto* button = new RenderedButton(parent);
    button->setCaption(caption);
    button->setToolTip(tip);
    return button;
}

void FormParts::place(QWidget* w, int left, int top, int width, int height)
{
    w->setGeometry(Twips::toPixels(left, top, width, height, w));
}

void FormParts::moveTo(QWidget* w, int left, int top)
{
    w->move(Twips::toPixelsX(left, w), Twips::toPixelsY(top, w));
}
