#include "UndoRecord.h"

#include "platform/FieldText.h"
#include "platform/FileNameCodec.h"

#include <QStringList>

namespace
{

// Splits one line into its two unescaped paths; false when it is not a pair.
bool unescapePair(QStringView line, QString& oldPath, QString& newPath)
{
    QStringList fields;
    if (!FieldText::splitLine(line, fields) || fields.size() != 2)
        return false;
    oldPath = fields[0];
    newPath = fields[1];
    return !oldPath.isEmpty() && !newPath.isEmpty();
}

} // namespace

void UndoRecord::start(const QString& folder, qsizetype expected)
{
    m_folder = folder;
    m_old.clear();
    m_new.clear();
    m_old.reserve(size_t(expected));
    m_new.reserve(size_t(expected));
}

void UndoRecord::add(const QString& oldName, const QString& newName)
{
    m_old.push_back(oldName);
    m_new.push_back(newName);
}

void UndoRecord::truncate(qsizetype count)
{
    if (count < this->count()) {
        m_old.resize(size_t(count));
        m_new.resize(size_t(count));
    }
}

QByteArray UndoRecord::header()
{
    return QByteArrayLiteral("Quillon undo record");
}

bool UndoRecord::fromBytes(const QByteArray& bytes, UndoRecord& out, QString& why)
{
    const QByteArray head = header() + '\n';
    if (!bytes.startsWith(head)) {
        why = QStringLiteral("it does not start with the line \"%1\"")
                  .arg(QString::fromLatin1(header()));
        return false;
    }
    const QString text = FileNameCodec::decode(bytes.mid(head.size()));
    const QList<QStringView> lines = QStringView(text).split(QLatin1Char('\n'));
    QStringList oldPaths, newPaths;
    QString oldPath, newPath;
    for (qsizetype n = 0; n < lines.size(); ++n) {
        if (lines[n].isEmpty() && n == lines.size() - 1)
            break;
        if (!unescapePair(lines[n], oldPath, newPath)) {
            why = QStringLiteral("line %1 is not an old and a new path separated by a tab")
                      .arg(n + 2);
            return false;
        }
        oldPaths << oldPath;
        newPaths << newPath;
    }
    // Keep the common folder once when every path lies in the first one's.
    QString folder;
    if (!oldPaths.isEmpty())
        folder = oldPaths.first().left(oldPaths.first().lastIndexOf(QLatin1Char('/')) + 1);
    for (qsizetype i = 0; i < oldPaths.size() && !folder.isEmpty(); ++i) {
        if (!oldPaths[i].startsWith(folder) || !newPaths[i].startsWith(folder))
            folder.clear();
    }
    out.start(folder, oldPaths.size());
    for (qsizetype i = 0; i < oldPaths.size(); ++i)
        out.add(oldPaths[i].mid(folder.size()), newPaths[i].mid(folder.size()));
    return true;
}
