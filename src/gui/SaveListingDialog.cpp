// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SaveListingDialog.h"

#include "controls/FolderBrowser.h"
#include "controls/RenderedButton.h"
#include "controls/Twips.h"
#include "output/ListingExport.h"
#include "output/ListingSource.h"
#include "platform/FileName.h"
#include "platform/FileSystem.h"

#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

SaveListingDialog::SaveListingDialog(FileSystem& fs, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Save As..."));
    setModal(true);
    const QRect frame = Twips::toPixels(0, 0, 7575, 4695, this);
    setFixedSize(frame.size());

    browser = new FolderBrowser(fs, this);
    browser->setShowFiles(1);
    place(browser, 90, 135, 7395, 3210);
    nameLabel = new QLabel(QStringLiteral("File Name:"), this);
    place(nameLabel, 225, 3555, 1110, 270);
    nameBox = new QLineEdit(this);
    place(nameBox, 1395, 3480, 4860, 420);
    // A borderless holder that clips the drop-down list's own frame.
    browserBorder = new QFrame(this);
    browserBorder->setFrameShape(QFrame::NoFrame);
    place(browserBorder, 6300, 3465, 1140, 435);
    typeBox = new QComboBox(browserBorder);
    typeBox->setGeometry(Twips::toPixels(-45, -30, 1200, 480, this));
    cancelButton = new RenderedButton(this);
    cancelButton->setCaption(QStringLiteral("Cancel"));
    place(cancelButton, 4320, 4005, 1545, 555);
    saveButton = new RenderedButton(this);
    saveButton->setCaption(QStringLiteral("Save"));
    place(saveButton, 5895, 4005, 1545, 555);

    setTabOrder(nameBox, typeBox);
    setTabOrder(typeBox, saveButton);
    setTabOrder(saveButton, cancelButton);
    setTabOrder(cancelButton, browser);

    nameBox->installEventFilter(this);
    connect(nameBox, &QLineEdit::textEdited, this, &SaveListingDialog::nameEdited);
    connect(nameBox, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_chosenName = text; });
    connect(typeBox, &QComboBox::activated, this, &SaveListingDialog::typeChosen);
    connect(browser, &FolderBrowser::entryChosen, this, &SaveListingDialog::browserEntryChosen);
    const std::pair<QObject*, const char*> names[] = {
        {browser, "browser"},          {nameLabel, "nameLabel"},
        {nameBox, "nameBox"},          {browserBorder, "browserBorder"},
        {typeBox, "typeBox"},          {saveButton, "saveButton"},
        {cancelButton, "cancelButton"}};
    for (const auto& [object, name] : names)
        object->setObjectName(QLatin1String(name));
    nameBox->setAccessibleName(QStringLiteral("File Name"));
    typeBox->setAccessibleName(QStringLiteral("File type"));
    browser->setAccessibleName(QStringLiteral("Folders"));
    connect(cancelButton, &RenderedButton::clicked, this, &SaveListingDialog::reject);
    connect(saveButton, &RenderedButton::clicked, this, &SaveListingDialog::save);
}

SaveListingDialog::~SaveListingDialog() = default;

void SaveListingDialog::place(QWidget* w, int left, int top, int width, int height)
{
    w->setGeometry(Twips::toPixels(left, top, width, height, this));
}

void SaveListingDialog::setNextAnswer(Answer answer)
{
    s_nextAnswer = std::move(answer);
}

QString SaveListingDialog::stem(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

bool SaveListingDialog::saveListing(const ListingSource& source, Prompter& prompter,
                                    QWidget* parent, FileSystem& fs)
{
    SaveListingDialog dialog(fs, parent);
    dialog.typeBox->clear();
    dialog.typeBox->addItems({QStringLiteral("*.csv"), QStringLiteral("*.rtf"),
                              QStringLiteral("*.xls"), QStringLiteral("*.xlsx")});
    dialog.typeBox->setCurrentIndex(0);
    dialog.setWindowTitle(QStringLiteral("Save As..."));
    dialog.saveButton->setCaption(QStringLiteral("Save"));
    QString listedFolder = source.folderPath;
    dialog.browser->openFolder(listedFolder);
    if (s_nextAnswer) {
        QTimer::singleShot(0, &dialog, [&dialog, answer = std::exchange(s_nextAnswer, {})] {
            QPointer<SaveListingDialog> alive(&dialog);
            answer(dialog);
            if (alive && dialog.isVisible())
                dialog.close();
        });
    }
    dialog.exec();
    if (dialog.m_chosenName.isEmpty())
        return false;
    QString path = dialog.browser->folder();
    if (!path.endsWith(u'/'))
        path += u'/';
    return ListingExport::save(source, path + dialog.m_chosenName,
                               ListingExport::typeOf(dialog.m_chosenType), prompter, fs);
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
    m_chosenType = QStringLiteral("csv");
    browser->setFilePattern(QStringLiteral(".csv"));
    if (typeBox->count() > 0)
        m_chosenType = typeBox->itemText(0).mid(2);
    setNameWithType(nameBox->text());
    typeBox->setCurrentIndex(typeBox->findText(QStringLiteral("*.") + m_chosenType));
    nameBox->setFocus();
}

// The cursor stays before the extension, so typing goes into the name.
void SaveListingDialog::setNameWithType(const QString& name)
{
    const QString nameStem = stem(name);
    nameBox->setText(nameStem + QLatin1Char('.') + m_chosenType);
    nameBox->setCursorPosition(int(nameStem.size()));
}

void SaveListingDialog::typeChosen(int index)
{
    const QString text = typeBox->itemText(index); // "*.csv"
    m_chosenType = text.mid(2);
    browser->setFilePattern(text.mid(1));
    setNameWithType(nameBox->text());
    nameBox->setFocus();
}

// Typed characters that cannot be in a name are dropped at the key (see
// eventFilter); this catches pasted text.
void SaveListingDialog::nameEdited(const QString& text)
{
    const QString clean = FileName::withoutForbidden(text);
    if (clean != text) {
        const int cursor = nameBox->cursorPosition();
        nameBox->setText(clean);
        nameBox->setCursorPosition(qMin(cursor, int(clean.size())));
    }
}

// A file chosen in the browser (a click, Return) gives its name with the
// chosen type; a folder or drive leaves the name as typed.
void SaveListingDialog::browserEntryChosen()
{
    const QString file = browser->fileName();
    if (!file.isEmpty())
        setNameWithType(file);
}

void SaveListingDialog::save()
{
    if (m_chosenName.isEmpty() || stem(nameBox->text()).isEmpty())
        return;
    m_chosenName = nameBox->text();
    accept();
}

void SaveListingDialog::reject()
{
    m_chosenName.clear();
    QDialog::reject();
}

bool SaveListingDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == nameBox && event->type() == QEvent::KeyPress)
        return nameBoxKey(static_cast<QKeyEvent*>(event));
    if (watched == nameBox && event->type() == QEvent::FocusIn) {
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
    nameBox->setSelection(0, int(stem(nameBox->text()).size()));
}

bool SaveListingDialog::nameBoxKey(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        browser->setFocus();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        save();
        return true;
    default:
        break;
    }
    const QString text = event->text();
    return text.size() == 1 && !FileName::isAllowed(text.at(0));
}
