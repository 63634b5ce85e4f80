#pragma once

#include "app/UndoRecord.h"
#include "filelist/FileListModel.h"

#include <QObject>
#include <QString>

class FileSystem;
class Prompter;

// The state the main window keeps for the listed folder, and the operations
// that both front ends run on it: the window and quillon-cli each own one
// Session and call the same operation classes with it.
//
// Field names follow the window's controls: Dr is the path box, Text1 the
// pattern box, Zeros the padding box, Text2 the extension box, R1 the replace
// pair. FolderPath and FileLast are those of the last scan (or search).
class Session : public QObject
{
    Q_OBJECT
public:
    Session(FileSystem& fs, Prompter& prompter, QObject* parent = nullptr);

    FileSystem& fs() { return m_fs; }
    Prompter& prompter() { return m_prompter; }
    FileListModel& model() { return m_model; }
    const FileListModel& model() const { return m_model; }

    // The window's inputs, as typed.
    QString Dr;
    QString TypeFilter = QStringLiteral("*");
    QString Text1 = QStringLiteral("New_Filename_#");
    QString Zeros = QStringLiteral("00000");
    QString Text2 = QStringLiteral(".???");
    QString R1[2];

    // Results of the last scan.
    QString FolderPath;
    int FileLast = -1;
    bool FilesLeftOut = false; // the folder holds more files than the list took

    // The texts of the two date pickers (CalanderForm1 for creation dates,
    // CalanderForm2 for modified dates), kept current by the list view. A
    // picker's date is pending while record 0 shows the same text (see
    // FileDates::GetDate1/GetDate2).
    QString PickerText[2];

    // The undo record of the last rename pass, and whether "Undo Renaming..."
    // may run it: enabled when a pass starts, disabled by the undo itself and
    // by the folder controls.
    UndoRecord undoRecord;
    bool undoEnabled() const { return m_undoEnabled; }
    void setUndoEnabled(bool enabled)
    {
        if (enabled != m_undoEnabled) {
            m_undoEnabled = enabled;
            emit undoEnabledChanged(enabled);
        }
    }

    // Applies the type box text as Enter or a list choice does, then scans.
    void applyFilter(const QString& boxText);
    // The folder scan: lists Dr, sets Zeros, proposes new names.
    void ListRefresh();
    // Runs the new-name generator over the list (the Generate button).
    void generateNames();

signals:
    void zerosChanged(const QString& zeros);
    void scanned();
    void undoEnabledChanged(bool enabled);

private:
    FileSystem& m_fs;
    Prompter& m_prompter;
    FileListModel m_model;
    bool m_undoEnabled = false;
};
