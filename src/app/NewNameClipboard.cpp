// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "NewNameClipboard.h"

#include "Session.h"
#include "filelist/FileListModel.h"
#include "platform/BusyPointer.h"
#include "platform/Clipboard.h"
#include "platform/Prompter.h"

QString NewNameClipboard::countMessage()
{
    return QStringLiteral("Cannot continue / The number of new file name's don't match old..");
}

QString NewNameClipboard::copyText(const FileListModel& model, int fileLast)
{
    QString text;
    for (int k = 0; k <= fileLast; ++k) {
        text += model.newNameAt(k);
        text += QLatin1String("\r\n");
    }
    return text;
}

bool NewNameClipboard::pasteText(FileListModel& model, int fileLast, const QString& text,
                                 Prompter& prompter)
{
    QString cleaned = text;
    cleaned.remove(QLatin1Char('/')).remove(QLatin1Char('\\')).remove(QLatin1Char(':'));
    QList<QStringView> lines;
    if (!cleaned.isEmpty())
        lines = QStringView(cleaned).split(u"\r\n");
    // With no file listed there is nothing to trim the lines to: any line at
    // all is a mismatch.
    if (fileLast >= 0 && lines.size() > fileLast + 1)
        lines.resize(fileLast + 1);
    if (lines.size() != fileLast + 1) {
        prompter.message(countMessage());
        return false;
    }
    for (int k = 0; k <= fileLast; ++k) {
        if (!lines[k].isEmpty())
            model.setNewNameAt(k, lines[k].toString());
    }
    model.refresh();
    return true;
}

void NewNameClipboard::copy(Session& session, Clipboard& clipboard)
{
    BusyPointer busy(session.prompter());
    clipboard.clear();
    clipboard.setText(copyText(session.model(), session.lastPosition()));
}

bool NewNameClipboard::paste(Session& session, const Clipboard& clipboard)
{
    BusyPointer busy(session.prompter());
    if (!pasteText(session.model(), session.lastPosition(), clipboard.text(), session.prompter()))
        return false;
    session.setNamesFollowOrder(false); // pasted names stay with their files
    session.checkProposals();
    return true;
}

QString NewNameClipboard::copiedText(int count)
{
    return count == 1 ? QStringLiteral("1 new name copied")
                      : QStringLiteral("%1 new names copied").arg(count);
}

QString NewNameClipboard::pastedText(int count)
{
    return count == 1 ? QStringLiteral("1 new name pasted")
                      : QStringLiteral("%1 new names pasted").arg(count);
}
