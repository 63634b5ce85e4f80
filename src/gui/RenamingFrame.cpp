#include "RenamingFrame.h"

#include "FormParts.h"

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
    Command2 = FormParts::command(this, QStringLiteral("Generate"),
                                  QStringLiteral("Generate New File Names..."));
    place(Command2, 6645, 270, 1800, 435); // below the caption line
    Command5 = FormParts::command(this, QStringLiteral("Replace"),
                                  QStringLiteral("Replace New File Name Captions..."));
    place(Command5, 6645, 705, 1800, 435);
    connectTriggers();
}

void RenamingFrame::buildBoxes()
{
    Text1 = FormParts::editableBox(
        this, m_session.Text1,
        {QStringLiteral("File#"), QStringLiteral("Case"), QStringLiteral("LowerCase"),
         QStringLiteral("UpperCase"), QStringLiteral("Replace Only"), QStringLiteral("Same"),
         QStringLiteral("Random Lowercase"), QStringLiteral("Random UPPERcase"),
         QStringLiteral("Front + Back")},
        QStringLiteral("Filename and number, # is where the number will be placed in the "
                       "filename..."));
    place(Text1, 135, 300, 3600, 390);
    Zeros = FormParts::editableBox(this, m_session.Zeros,
                                   {QStringLiteral("0"), QStringLiteral("00"),
                                    QStringLiteral("000"), QStringLiteral("0000"),
                                    QStringLiteral("00000"), QStringLiteral("000000")},
                                   QStringLiteral("Type of numbering..."));
    place(Zeros, 3825, 300, 1275, 390);
    Text2 = FormParts::editableBox(this, m_session.Text2,
                                   {QStringLiteral(".???"), QStringLiteral(".jpg"),
                                    QStringLiteral(".png"), QStringLiteral(".gif"),
                                    QStringLiteral(".doc"), QStringLiteral(".mp3")},
                                   QStringLiteral("Change File Extentions or Not ..."));
    place(Text2, 5190, 300, 1275, 390);
}

void RenamingFrame::buildReplacePair()
{
    const char* const labels[] = {"Replace :", "With :"};
    const char* const tips[] = {"Replace Text...", "With this Text..."};
    for (int i = 0; i < 2; ++i) {
        Label1[i] = new QLabel(QString::fromLatin1(labels[i]), this);
        Label1[i]->adjustSize();
        FormParts::moveTo(Label1[i], 135 + i * 3465, 810);
        R1[i] = new QLineEdit(this);
        R1[i]->setToolTip(QString::fromLatin1(tips[i]));
        place(R1[i], 1035 + i * 3240, 750, 2340, 360); // clear of Replace
        R1[i]->installEventFilter(this);
    }
}

void RenamingFrame::connectTriggers()
{
    // A focused combo box hands typed keys to its line edit directly, past any
    // filter there, so the key rules watch the boxes themselves.
    Text1->installEventFilter(this);
    Text2->installEventFilter(this);
    connect(Command2, &RenderedButton::clicked, this, [this] {
        syncToSession();
        NameGenerator::Command2_Click(m_session);
    });
    connect(Command5, &RenderedButton::clicked, this, [this] {
        syncToSession();
        NewNameReplace::Command5_Click(m_session);
    });
    connect(Text1, qOverload<int>(&QComboBox::activated), this, [this](int index) {
        syncToSession();
        NameGenerator::Text1ItemChosen(m_session, Text1->itemText(index));
        showSessionTexts();
    });
    connect(Text2, qOverload<int>(&QComboBox::activated), this, [this](int index) {
        syncToSession();
        NameGenerator::Text2ItemChosen(m_session, Text2->itemText(index));
        showSessionTexts();
    });
    connect(Zeros, qOverload<int>(&QComboBox::activated), this, [this](int index) {
        syncToSession();
        NameGenerator::ZerosItemChosen(m_session, Zeros->itemText(index));
        showSessionTexts();
    });
    connect(&m_session, &Session::zerosChanged, Zeros, &QComboBox::setEditText);
}

void RenamingFrame::syncToSession()
{
    m_session.Text1 = Text1->currentText();
    m_session.Zeros = Zeros->currentText();
    m_session.Text2 = Text2->currentText();
    m_session.R1[0] = R1[0]->text();
    m_session.R1[1] = R1[1]->text();
}

void RenamingFrame::showSessionTexts()
{
    Text1->setEditText(m_session.Text1);
    Zeros->setEditText(m_session.Zeros);
    Text2->setEditText(m_session.Text2);
}

// Keys typed into Text1, Text2 and the replace pair: the characters a file
// name cannot hold are discarded; Enter in Text1 and every key in Text2 run
// the generator (Text2 with its text as it stands before the key lands).
bool RenamingFrame::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() != QEvent::KeyPress)
        return QGroupBox::eventFilter(watched, e);
    const auto* key = static_cast<QKeyEvent*>(e);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    const QChar ch = enter ? QChar(13) : (key->text().isEmpty() ? QChar() : key->text().at(0));
    if (ch.isNull())
        return QGroupBox::eventFilter(watched, e);
    return !filterKey(watched, ch) || QGroupBox::eventFilter(watched, e);
}

bool RenamingFrame::filterKey(QObject* watched, QChar key)
{
    syncToSession();
    if (watched == Text1)
        return NameGenerator::Text1KeyPress(m_session, key);
    if (watched == Text2)
        return NameGenerator::Text2KeyPress(m_session, key);
    return NameGenerator::keyAccepted(key);
}
