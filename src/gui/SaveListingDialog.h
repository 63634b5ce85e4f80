// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// SaveListingDialog: the modal "Save As..." dialog of "Save Directory...". The user
// walks to a folder in the browser (which shows the files of the
// chosen type), types or clicks a file name, picks the type (*.csv, *.rtf,
// *.xls, *.xlsx) and saves; the listing is then written into the browser's folder
// (the process's current folder) under the name's stem and the type's
// extension, replacing a file of that name.
//
// Public API:
//   static bool saveListing(source, prompter, parent, fs)   ask, then write the listing
//                               through ListingExport; false when cancelled or when the
//                               export stopped (its message is shown through prompter)
//   static QString chosenName(), chosenType()   the last answer: a name ("" = cancelled) and
//                               "csv", "rtf", "xls" or "xlsx"; kept between exports
//   static void setNextAnswer(Answer)   tests: the next saveListing hands its open dialog to
//                               the function, which acts as the person would (types, clicks);
//                               a dialog still open afterwards is closed by its frame
//   static QString stem(name)   the name without its last dot and what follows
// Controls, by their names (object names too): browser, nameLabel, nameBox,
// browserBorder (holds typeBox), typeBox, saveButton, cancelButton.
//
// Name box keys: Up, Down, Page Up and Page Down move to the browser, Enter moves to "Save",
// and | * " / : < > ? \ are dropped as they are typed (also from pasted text), so the name
// can never point outside the browser's folder.
//
// Decided here: the dialog opens centred on its parent with the name box focused; coming to
// the name box selects the name without its extension; "Save" does nothing while the name has no
// stem (".csv"), as that would make a hidden file; a click on a folder in the browser keeps the
// typed name.

#include <QDialog>

#include <functional>

class FolderBrowser;
class FileSystem;
struct ListingSource;
class Prompter;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class RenderedButton;

class SaveListingDialog : public QDialog
{
    Q_OBJECT
public:
    using Answer = std::function<void(SaveListingDialog&)>;

    explicit SaveListingDialog(FileSystem& fs, QWidget* parent = nullptr);
    ~SaveListingDialog() override;

    static bool saveListing(const ListingSource& source, Prompter& prompter, QWidget* parent,
                            FileSystem& fs);
    static QString chosenName();
    static QString chosenType();
    static void setNextAnswer(Answer answer);
    static QString stem(const QString& name);

    FolderBrowser* browser;
    QLabel* nameLabel;
    QLineEdit* nameBox;
    QFrame* browserBorder;
    QComboBox* typeBox;
    RenderedButton* saveButton;
    RenderedButton* cancelButton;

public slots:
    void reject() override; // Escape and the window frame: nothing is saved

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place(QWidget* w, int left, int top, int width, int height);
    void activate();
    void typeChosen(int index);
    void nameEdited(const QString& text);
    void browserEntryChosen();
    void save();
    void setNameWithType(const QString& name);
    void selectStem();
    bool nameBoxKey(QKeyEvent* event);

    bool m_activated = false;
};
