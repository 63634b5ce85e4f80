// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// SaveListingDialog: the modal "Save As..." dialog of "Save Directory...". The user
// walks to a folder in the browser (which shows the files of the
// chosen type), types or clicks a file name, picks the type (*.csv, *.rtf,
// *.xls, *.xlsx) and saves; the listing is then written into the browser's folder
// under the name's stem and the type's extension, replacing a file of that
// name. The browser opens on the listed folder.
//
// Name box keys: Up, Down, Page Up and Page Down move to the browser, Enter saves as "Save" does,
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

    // Asks, then writes the listing through ListingExport; false when
    // cancelled or when the export stopped (its message is shown through
    // prompter).
    static bool saveListing(const ListingSource& source, Prompter& prompter, QWidget* parent,
                            FileSystem& fs);
    // The answer: a name ("" = cancelled) and "csv", "rtf", "xls" or "xlsx".
    QString chosenName() const { return m_chosenName; }
    QString chosenType() const { return m_chosenType; }
    // For tests: the next saveListing hands its open dialog to answer, which
    // acts as the person would; a dialog still open afterwards is closed by
    // its frame.
    static void setNextAnswer(Answer answer);
    static QString stem(const QString& name); // without the last dot and what follows

    // The controls; their object names are the same words.
    FolderBrowser* browser;
    QLabel* nameLabel;
    QLineEdit* nameBox;
    QFrame* browserBorder;
    QComboBox* typeBox; // inside browserBorder
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
    QString m_chosenName;
    QString m_chosenType = QStringLiteral("csv");
    static inline Answer s_nextAnswer; // the test hook of setNextAnswer
};
