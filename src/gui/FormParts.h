// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class QComboBox;
class QGroupBox;
class RenderedButton;
class QWidget;

// The few kinds of parts the main window is made of, made the same way
// everywhere: frames in RGB(240, 240, 240) with a bold caption, editable
// drop-down boxes, command buttons, and placement in twips.
namespace FormParts
{

QGroupBox* frame(QWidget* parent, const QString& caption);
void styleFrame(QGroupBox* box);
QComboBox* editableBox(QWidget* parent, const QString& text, const QStringList& items,
                       const QString& tip);
RenderedButton* command(QWidget* parent, const QString& caption, const QString& tip);
// Places w at a rectangle given in twips, converted at w's logical DPI.
void place(QWidget* w, int left, int top, int width, int height);
void moveTo(QWidget* w, int left, int top);

} // namespace FormParts
