// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ListingCopy.h"

#include "platform/BusyPointer.h"

QString ListingCopy::listingText(const FileListModel& model, int fileLast, Prompter& prompter)
{
    BusyPointer busy(prompter);
    QString text = QStringLiteral("No\tDate\tSize\tFilenames\r\n");
    const int last = qMin(fileLast, model.recordCount() - 1);
    text.reserve(qsizetype(last + 2) * 64);
    for (int position = 0; position <= last; ++position) {
        const int record = model.recordAt(position);
        text += QString::number(model.recordNumber(record));
        text += QLatin1Char('\t');
        text += model.creationDateText(record);
        text += QLatin1Char('\t');
        text += model.sizeText(record);
        text += QLatin1Char('\t');
        text += model.currentNameOf(record);
        text += QLatin1String("\r\n");
    }
    return text;
}

void ListingCopy::copyListing(const FileListModel& model, int fileLast, Prompter& prompter,
                              Clipboard& clipboard)
{
    clipboard.clear();
    clipboard.setText(listingText(model, fileLast, prompter));
}

QString ListingCopy::copiedText(int files)
{
    return files == 1 ? QStringLiteral("Listing of 1 file copied")
                      : QStringLiteral("Listing of %1 files copied").arg(files);
}
