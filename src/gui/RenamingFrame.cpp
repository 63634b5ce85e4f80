// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RenamingFrame.h"

#include "FormParts.h"
#include "SlotGuard.h"

#include "app/NameGenerator.h"
#include "app/NewNameReplace.h"
#include "app/Session.h"

#include "controls/RenderedButton.h"
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

using FormParts::place;

RenamingFrame::RenamingFrame(Session& session, QWidget* parent)
    : QGroupBox(parent), m_session(session)
{
    buildBoxes();
    buildReplacePair();
    generateButton = FormParts::command(this, QStringLiteral("Generate"),
                                        QStringLiteral("Generate New File Names..."));
    place(generateButton, 6645, 270, 1800, 435); // below the caption line
    replaceButton = FormParts::command(this, QStringLiteral("Replace"),
                                       QStringLiteral("Replace New File Name Captions..."));
    place(replaceButton, 6645, 705, 1800, 435);
    nameControls();
    bindToSession();
    connectTriggers();
}

void RenamingFrame::buildBoxes()
{
    patternBox = FormParts::editableBox(
        this, m_session.pattern(),
        {QStringLiteral("File#"), QStringLiteral("Case"), QStringLiteral("LowerCase"),
         QStringLiteral("UpperCase"), QStringLiteral("Replace Only"), QStringLiteral("Same"),
         QStringLiteral("Random Lowercase"), QStringLiteral("Random UPPERcase"),
         QStringLiteral("Front + Back")},
        QStringLiteral("Filename and number, # is where the number will be placed in the "
                       "filename..."));
    place(patternBox, 135, 300, 3600, 390);
    paddingBox = FormParts::editableBox(this, m_session.padding(),
                                        {QStringLiteral("0"), QStringLiteral("00"),
                                         QStringLiteral("000"), QStringLiteral("0000"),
                                         QStringLiteral("00000"), QStringLiteral("000000")},
                                        QStringLiteral("Type of numbering..."));
    place(paddingBox, 3825, 300, 1275, 390);
    extensionBox = FormParts::editableBox(this, m_session.extension(),
                                          {QStringLiteral(".???"), QStringLiteral(".jpg"),
                                           QStringLiteral(".png"), QStringLiteral(".gif"),
                                           QStringLiteral(".doc"), QStringLiteral(".mp3")},
                                          QStringLiteral("Change File Extentions or Not ..."));
    place(extensionBox, 5190, 300, 1275, 390);
}

void RenamingFrame::buildReplacePair()
{
    const char* const labels[] = {"Replace :", "With :"};
    const char* const tips[] = {"Replace Text...", "With this Text..."};
    QLabel** labelOf[] = {&replaceLabel, &withLabel};
    QLineEdit** boxOf[] = {&replaceTextBox, &replaceWithBox};
    for (int i = 0; i < 2; ++i) {
        QLabel* label = *labelOf[i] = new QLabel(QString::fromLatin1(labels[i]), this);
        label->adjustSize();
        FormParts::moveTo(label, 135 + i * 3465, 810);
        QLineEdit* box = *boxOf[i] = new QLineEdit(this);
        box->setToolTip(QString::fromLatin1(tips[i]));
        place(box, 1035 + i * 3240, 750, 2340, 360); // clear of Replace
        box->installEventFilter(this);
    }
}

void RenamingFrame::nameControls()
{
    patternBox->setObjectName(QStringLiteral("patternBox"));
    paddingBox->setObjectName(QStringLiteral("paddingBox"));
    extensionBox->setObjectName(QStringLiteral("extensionBox"));
    replaceLabel->setObjectName(QStringLiteral("replaceLabel"));
    replaceTextBox->setObjectName(QStringLiteral("replaceTextBox"));
    withLabel->setObjectName(QStringLiteral("withLabel"));
    replaceWithBox->setObjectName(QStringLiteral("replaceWithBox"));
    generateButton->setObjectName(QStringLiteral("generateButton"));
    replaceButton->setObjectName(QStringLiteral("replaceButton"));
}

// Each box sets its input as it is edited; each input the session changes
// shows in its box (a box already showing it is left alone, so typing keeps
// its cursor).
void RenamingFrame::bindToSession()
{
    const auto show = [](QComboBox* box) {
        return [box](const QString& text) {
            if (box->currentText() != text)
                box->setEditText(text);
        };
    };
    connect(patternBox, &QComboBox::editTextChanged, &m_session, &Session::setPattern);
    connect(paddingBox, &QComboBox::editTextChanged, &m_session, &Session::setPadding);
    connect(extensionBox, &QComboBox::editTextChanged, &m_session, &Session::setExtension);
    connect(replaceTextBox, &QLineEdit::textChanged, &m_session, &Session::setReplaceText);
    connect(replaceWithBox, &QLineEdit::textChanged, &m_session, &Session::setReplaceWith);
    connect(&m_session, &Session::patternChanged, patternBox, show(patternBox));
    connect(&m_session, &Session::paddingChanged, paddingBox, show(paddingBox));
    connect(&m_session, &Session::extensionChanged, extensionBox, show(extensionBox));
    m_session.setReplaceText(replaceTextBox->text());
    m_session.setReplaceWith(replaceWithBox->text());
}

void RenamingFrame::connectTriggers()
{
    // A focused combo box hands typed keys to its line edit directly, past any
    // filter there, so the key rules watch the boxes themselves.
    patternBox->installEventFilter(this);
    extensionBox->installEventFilter(this);
    connect(generateButton, &RenderedButton::clicked, this,
            [this] { guarded([this] { NameGenerator::generateNames(m_session); }); });
    connect(replaceButton, &RenderedButton::clicked, this, [this] {
        guarded([this] {
            m_session.awaitNames(); // replaces in the names the list shows
            NewNameReplace::replaceFromBoxes(m_session);
        });
    });
    connect(patternBox, qOverload<int>(&QComboBox::activated), this, [this](int index) {
        guarded([&] { NameGenerator::patternItemChosen(m_session, patternBox->itemText(index)); });
    });
    connect(extensionBox, qOverload<int>(&QComboBox::activated), this, [this](int index) {
        guarded(
            [&] { NameGenerator::extensionItemChosen(m_session, extensionBox->itemText(index)); });
    });
    connect(paddingBox, qOverload<int>(&QComboBox::activated), this, [this](int index) {
        guarded([&] { NameGenerator::paddingItemChosen(m_session, paddingBox->itemText(index)); });
    });
}

void RenamingFrame::guarded(const std::function<void()>& work)
{
    SlotGuard::run(m_session.prompter(), work);
}

// Keys typed into the pattern and extension boxes and the replace pair: the
// characters a file name cannot hold are discarded; Enter in the pattern box
// and every key in the extension box run the generator (the extension box
// with its text as it stands before the key lands).
bool RenamingFrame::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() != QEvent::KeyPress)
        return QGroupBox::eventFilter(watched, e);
    const auto* key = static_cast<QKeyEvent*>(e);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    const QChar ch = enter ? QChar(13) : (key->text().isEmpty() ? QChar() : key->text().at(0));
    if (ch.isNull())
        return QGroupBox::eventFilter(watched, e);
    return !keyAccepted(watched, ch) || QGroupBox::eventFilter(watched, e);
}

bool RenamingFrame::keyAccepted(QObject* watched, QChar key)
{
    bool accepted = true;
    guarded([&] {
        if (watched == patternBox)
            accepted = NameGenerator::patternKeyTyped(m_session, key);
        else if (watched == extensionBox)
            accepted = NameGenerator::extensionKeyTyped(m_session, key);
        else
            accepted = NameGenerator::keyAccepted(key);
    });
    return accepted;
}
