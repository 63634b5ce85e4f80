#include "SaveListingDialog.h"

#include "controls/FolderBrowser.h"
#include "controls/RenderedButton.h"
#include "controls/Twips.h"
#include "output/ListingExport.h"
#include "output/ListingSource.h"
#include "platform/FileSystem.h"

#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

namespace
{

// The shared answer of the dialog, kept between exports.
QString chosenName;
QString chosenType = QStringLiteral("csv");
SaveListingDialog::Answer nextAnswer;

const QString Forbidden = QStringLiteral("|*\"/:<>?\\");

QString withoutForbidden(QString text)
{
    text.removeIf([](QChar c) { return Forbidden.contains(c); });
    return text;
}

} // namespace

SaveListingDialog::SaveListingDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Save As..."));
    setModal(true);
    const QRect frame = Twips::toPixels(0, 0, 7575, 4695, this);
    setFixedSize(frame.size());

    DriveList = new FolderBrowser(this);
    DriveList->setShowFiles(1);
    place(DriveList, 90, 135, 7395, 3210);
    Label1 = new QLabel(QStringLiteral("File Name:"), this);
    place(Label1, 225, 3555, 1110, 270);
    txtSearchSpec = new QLineEdit(this);
    place(txtSearchSpec, 1395, 3480, 4860, 420);
    // A borderless holder that clips the drop-down list's own frame.
    Borderture = new QFrame(this);
    Borderture->setFrameShape(QFrame::NoFrame);
    place(Borderture, 6300, 3465, 1140, 435);
    Combo1 = new QComboBox(Borderture);
    Combo1->setGeometry(Twips::toPixels(-45, -30, 1200, 480, this));
    Command1[2] = new RenderedButton(this);
    Command1[2]->setCaption(QStringLiteral("Cancel"));
    place(Command1[2], 4320, 4005, 1545, 555);
    Command1[1] = new RenderedButton(this);
    Command1[1]->setCaption(QStringLiteral("Save"));
    place(Command1[1], 5895, 4005, 1545, 555);

    setTabOrder(txtSearchSpec, Combo1);
    setTabOrder(Combo1, Command1[1]);
    setTabOrder(Command1[1], Command1[2]);
    setTabOrder(Command1[2], DriveList);

    txtSearchSpec->installEventFilter(this);
    connect(txtSearchSpec, &QLineEdit::textEdited, this, &SaveListingDialog::nameEdited);
    connect(txtSearchSpec, &QLineEdit::textChanged, this,
            [](const QString& text) { chosenName = text; });
    connect(Combo1, &QComboBox::activated, this, &SaveListingDialog::typeChosen);
    connect(DriveList, &FolderBrowser::mouseUp, this, &SaveListingDialog::browserMouseUp);
    connect(Command1[2], &RenderedButton::clicked, this, &SaveListingDialog::reject);
    connect(Command1[1], &RenderedButton::clicked, this, &SaveListingDialog::save);
}

SaveListingDialog::~SaveListingDialog() = default;

void SaveListingDialog::place(QWidget* w, int left, int top, int width, int height)
{
    w->setGeometry(Twips::toPixels(left, top, width, height, this));
}

QString SaveListingDialog::ChosenName()
{
    return chosenName;
}

QString SaveListingDialog::ChosenType()
{
    return chosenType;
}

void SaveListingDialog::setNextAnswer(Answer answer)
{
    nextAnswer = std::move(answer);
}

QString SaveListingDialog::stem(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

bool SaveListingDialog::SaveSource(const ListingSource& source, Prompter& prompter, QWidget* parent)
{
    return SaveSource(source, prompter, parent, FileSystem::instance());
}

bool SaveListingDialog::SaveSource(const ListingSource& source, Prompter& prompter, QWidget* parent,
                                   FileSystem& fs)
{
    chosenType = QStringLiteral("csv");
    SaveListingDialog dialog(parent);
    dialog.Combo1->clear();
    dialog.Combo1->addItems(
        {QStringLiteral("*.csv"), QStringLiteral("*.rtf"), QStringLiteral("*.xls")});
    dialog.Combo1->setCurrentIndex(0);
    dialog.setWindowTitle(QStringLiteral("Save As..."));
    dialog.Command1[1]->setCaption(QStringLiteral("Save"));
    if (nextAnswer) {
        QTimer::singleShot(0, &dialog, [&dialog, answer = std::exchange(nextAnswer, {})] {
            QPointer<SaveListingDialog> alive(&dialog);
            answer(dialog);
            if (alive && dialog.isVisible())
                dialog.close();
        });
    }
    dialog.exec();
    if (chosenName.isEmpty())
        return false;
    return ListingExport::SaveSource(source, chosenName, ListingExport::typeOf(chosenType),
                                     prompter, fs);
}

void SaveListingDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_activated) {
        m_activated = true;
        activate();
    }
}

// The browser shows the first type's files and the name box gets that
// type's extension.
void SaveListingDialog::activate()
{
    chosenType = QStringLiteral("csv");
    DriveList->setFilePattern(QStringLiteral(".csv"));
    if (Combo1->count() > 0)
        chosenType = Combo1->itemText(0).mid(2);
    setNameWithType(txtSearchSpec->text());
    Combo1->setCurrentIndex(Combo1->findText(QStringLiteral("*.") + chosenType));
    txtSearchSpec->setFocus();
}

// The cursor stays before the extension, so typing goes into the name.
void SaveListingDialog::setNameWithType(const QString& name)
{
    const QString nameStem = stem(name);
    txtSearchSpec->setText(nameStem + QLatin1Char('.') + chosenType);
    txtSearchSpec->setCursorPosition(int(nameStem.size()));
}

void SaveListingDialog::typeChosen(int index)
{
    const QString text = Combo1->itemText(index);
    chosenType = text.right(3);
    DriveList->setFilePattern(text.right(4));
    setNameWithType(txtSearchSpec->text());
    txtSearchSpec->setFocus();
}

// Typed characters that cannot be in a name are dropped at the key (see
// eventFilter); this catches pasted text.
void SaveListingDialog::nameEdited(const QString& text)
{
    const QString clean = withoutForbidden(text);
    if (clean != text) {
        const int cursor = txtSearchSpec->cursorPosition();
        txtSearchSpec->setText(clean);
        txtSearchSpec->setCursorPosition(qMin(cursor, int(clean.size())));
    }
}

// A click on a file in the browser takes its name with the chosen type; a
// click on a folder or drive leaves the name as typed.
void SaveListingDialog::browserMouseUp()
{
    const QString file = DriveList->fileName();
    if (!file.isEmpty())
        setNameWithType(file);
}

void SaveListingDialog::save()
{
    if (chosenName.isEmpty() || stem(txtSearchSpec->text()).isEmpty())
        return;
    chosenName = txtSearchSpec->text();
    accept();
}

void SaveListingDialog::reject()
{
    chosenName.clear();
    QDialog::reject();
}

bool SaveListingDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtSearchSpec && event->type() == QEvent::KeyPress)
        return nameBoxKey(static_cast<QKeyEvent*>(event));
    if (watched == txtSearchSpec && event->type() == QEvent::FocusIn) {
        // Coming to the box by key or from another control selects the name
        // without its extension, so typing replaces the name and keeps the
        // type; a click places the cursor where it was clicked. The line
        // edit selects everything itself first, hence the delay.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::MouseFocusReason && reason != Qt::PopupFocusReason)
            QTimer::singleShot(0, this, &SaveListingDialog::selectStem);
    }
    return QDialog::eventFilter(watched, event);
}

void SaveListingDialog::selectStem()
{
    txtSearchSpec->setSelection(0, int(stem(txtSearchSpec->text()).size()));
}

bool SaveListingDialog::nameBoxKey(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        DriveList->setFocus();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Command1[1]->setFocus();
        return true;
    default:
        break;
    }
    const QString text = event->text();
    return text.size() == 1 && Forbidden.contains(text.at(0));
}
