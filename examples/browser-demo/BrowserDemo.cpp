// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// browser-demo: the drive and folder browser beside a plain list of the
// folder's files, as the main window uses them. A click on a folder in the
// browser lists that folder's files on the right; a double click on a file
// there previews a picture full screen or opens the file with the desktop's
// program; "Save Directory..." saves the listing through the "Save As..."
// dialog. A manual test program:
//   browser-demo [FOLDER]     start in FOLDER (default: the current folder)

#include "controls/FolderBrowser.h"
#include "filelist/FileListModel.h"
#include "gui/PicturePreview.h"
#include "gui/QtPrompter.h"
#include "gui/SaveListingDialog.h"
#include "output/ListingSource.h"
#include "platform/DateText.h"
#include "platform/PosixFileSystem.h"

#include <QApplication>
#include <QDateTime>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace
{

class Demo : public QWidget
{
public:
    explicit Demo(const QString& start)
    {
        setWindowTitle(QStringLiteral("Quillon browser demo"));
        setFixedSize(900, 330);
        m_browser = new FolderBrowser(m_fs, this);
        m_browser->setGeometry(10, 40, 463, 267); // the folder panel's size
        m_folder = new QLabel(this);
        m_folder->setGeometry(10, 8, 880, 24);
        m_files = new QListWidget(this);
        m_files->setGeometry(490, 40, 400, 230);
        m_files->setToolTip(QStringLiteral("Double click to open file..."));
        auto* save = new QPushButton(QStringLiteral("Save Directory..."), this);
        save->setGeometry(490, 277, 160, 30);

        QString path = start;
        m_browser->openFolder(path);
        connect(m_browser, &FolderBrowser::clicked, this, [this] { listFiles(); });
        connect(m_files, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
            PicturePreview::openListedFile(item->text(), m_fs, this);
        });
        connect(save, &QPushButton::clicked, this, [this] { saveListing(); });
        listFiles();
    }

private:
    // What the main window does on the browser's Click: list the browser's
    // folder.
    void listFiles()
    {
        FileSystem& fs = m_fs;
        const QString folder = m_browser->folder();
        m_folder->setText(QStringLiteral("Folder: ") + folder);
        m_files->clear();
        FileListModel::Rows rows;
        fs.enumerate(folder, true, [&](const FileSystem::Entry& e) {
            if (e.isFolder || (e.attributes & FileSystem::Hidden))
                return true;
            m_files->addItem(e.name);
            rows.appendFile(e.name, e.created.seconds, e.modified.seconds, e.size, true);
            return true;
        });
        m_rowCount = int(rows.count());
        if (rows.count() == 0)
            m_model.setNoFiles();
        else
            m_model.setRows(std::move(rows));
        m_listedFolder = folder;
    }

    void saveListing()
    {
        QString folder = m_listedFolder;
        if (!folder.endsWith(QLatin1Char('/')))
            folder += QLatin1Char('/');
        const ListingSource source{m_model, m_rowCount - 1, folder, m_listedFolder};
        QtPrompter prompter;
        SaveListingDialog::saveListing(source, prompter, this, m_fs);
        listFiles();
    }

    PosixFileSystem m_fs;
    FolderBrowser* m_browser;
    QLabel* m_folder;
    QListWidget* m_files;
    FileListModel m_model;
    int m_rowCount = 0;
    QString m_listedFolder;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillon"));
    const QStringList args = QApplication::arguments();
    Demo demo(args.size() > 1 ? args[1] : QString());
    demo.move(0, 0);
    demo.show();
    return app.exec();
}
