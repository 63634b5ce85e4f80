#include "Session.h"

#include "NameGenerator.h"
#include "filelist/FolderScan.h"
#include "platform/FileSystem.h"
#include "platform/Prompter.h"

Session::Session(FileSystem& fs, Prompter& prompter, QObject* parent)
    : QObject(parent), m_fs(fs), m_prompter(prompter)
{
    Dr = fs.currentFolder();
}

void Session::applyFilter(const QString& boxText)
{
    TypeFilter = FolderScan::filterFromBox(boxText);
    ListRefresh();
}

void Session::ListRefresh()
{
    m_prompter.setBusy(true);
    FileListModel::Rows rows;
    const FolderScan::Result result = FolderScan::scan(m_fs, Dr, TypeFilter, rows);
    FolderPath = result.folderPath;
    FileLast = result.fileLast;
    FilesLeftOut = result.leftOut;
    Zeros = FolderScan::zerosFor(FileLast);
    emit zerosChanged(Zeros);
    m_prompter.processEvents();
    if (FileLast >= 0)
        m_model.AddArray(std::move(rows));
    m_prompter.setBusy(false);
    if (FileLast >= 0) {
        generateNames();
    } else {
        QStringList empty{QString()};
        m_model.AddArray(empty);
    }
    emit scanned();
}

void Session::generateNames()
{
    NameGenerator::Command2_Click(*this);
}
