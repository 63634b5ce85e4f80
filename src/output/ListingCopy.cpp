#include "ListingCopy.h"

QString ListingCopy::CopySource(const FileListModel& model, int fileLast, Prompter& prompter)
{
    prompter.setBusy(true);
    QString text = QStringLiteral("No\tDate\tSize\tFilenames\r\n");
    const int last = qMin(fileLast, model.recordCount() - 1);
    text.reserve(qsizetype(last + 2) * 64);
    for (int position = 0; position <= last; ++position) {
        const int record = model.recordAt(position);
        text += QString::number(model.GetContentNo(record));
        text += QLatin1Char('\t');
        text += model.dateText1(record);
        text += QLatin1Char('\t');
        text += model.sizeText(record);
        text += QLatin1Char('\t');
        text += model.sourceNameOf(record);
        text += QLatin1String("\r\n");
    }
    prompter.setBusy(false);
    return text;
}

void ListingCopy::CopyDir(const FileListModel& model, int fileLast, Prompter& prompter,
                          Clipboard& clipboard)
{
    clipboard.clear();
    clipboard.setText(CopySource(model, fileLast, prompter));
}
