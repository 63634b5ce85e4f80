// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGroupBox>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class RenderedButton;
class Session;

// "Generate New Filenames  :": the pattern, padding and extension boxes, the
// replace pair and the Generate and Replace buttons. Every trigger of the
// generator is wired here. The boxes and the session's inputs are kept equal
// both ways: an edit sets the session's input, and an input the session
// changes (a list choice, a scan's padding) shows in its box.
class RenamingFrame : public QGroupBox
{
    Q_OBJECT
public:
    RenamingFrame(Session& session, QWidget* parent);

    QComboBox* patternBox;
    QComboBox* paddingBox;
    QComboBox* extensionBox;
    QLabel* replaceLabel;
    QLineEdit* replaceTextBox;
    QLabel* withLabel;
    QLineEdit* replaceWithBox;
    RenderedButton* generateButton;
    RenderedButton* replaceButton;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void buildBoxes();
    void buildReplacePair();
    void nameControls();
    void bindToSession();
    void connectTriggers();
    bool keyAccepted(QObject* watched, QChar key);
    void guarded(const std::function<void()>& work);

    Session& m_session;
};
