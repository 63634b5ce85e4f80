// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "JournalReader.h"

#include "JournalRecords.h"
#include "output/DiskErrors.h"
#include "platform/FieldText.h"
#include "platform/FileErrors.h"
#include "platform/FileNameCodec.h"

bool JournalReader::read(const QByteArray& bytes, RenameJournal::Contents& journal, QString& why)
{
    if (!bytes.startsWith(RenameJournal::header() + '\n')) {
        why = QStringLiteral("it does not start with the line \"%1\"")
                  .arg(QString::fromLatin1(RenameJournal::header()));
        return false;
    }
    journal = {};
    // A last line without its line end was cut by a crash: it is left out.
    const QString text = FileNameCodec::decode(bytes.left(bytes.lastIndexOf('\n') + 1));
    const QList<QStringView> lines = QStringView(text).split(QLatin1Char('\n'));
    QStringList f;
    bool planned = false;
    for (qsizetype n = 1; n < lines.size(); ++n) {
        bool ok = FieldText::splitLine(lines[n], f);
        const QString kind = f.value(0);
        if (!ok || kind.isEmpty()) {
            ok = lines[n].isEmpty() && n == lines.size() - 1;
        } else if (kind == QLatin1String("folder") && f.size() == 2) {
            journal.folder = f[1];
        } else if (kind == QLatin1String("started") && f.size() == 2) {
            journal.started = QDateTime::fromString(f[1], Qt::ISODate);
        } else if ((kind == QLatin1String("step") || kind == QLatin1String("then")) &&
                   f.size() == 3 && !planned) {
            journal.plan.append({f[1], f[2], kind == QLatin1String("then")});
        } else if (kind == QLatin1String("planned") && f.size() == 2) {
            planned = f[1].toLongLong(&ok) == journal.plan.size() && ok;
        } else if (kind == QLatin1String("extra") && f.size() == 3 && planned) {
            journal.performed.append({f[1], f[2]});
        } else if ((kind == QLatin1String("done") || kind == QLatin1String("reached")) &&
                   f.size() == 2 && planned) {
            const qsizetype i = f[1].toLongLong(&ok);
            ok = ok && i >= 0 && i < journal.plan.size();
            if (ok && kind == QLatin1String("done")) {
                journal.performed.append(journal.plan[i]);
                journal.doneSteps.append(i);
            }
            if (ok)
                journal.undecided = qMax(journal.undecided, i + 1);
        } else if (kind == QLatin1String("was") && f.size() == 6 && planned) {
            RenameJournal::FileRecord record;
            ok = JournalRecords::parseState(f, record);
            journal.states.append(record);
        } else if ((kind == QLatin1String("back") || kind == QLatin1String("restored")) &&
                   f.size() == 2 && planned) {
            const qsizetype k = f[1].toLongLong(&ok);
            ok = ok && k >= 0;
            (kind == QLatin1String("back") ? journal.backSteps : journal.restored).insert(k);
        } else if (kind == QLatin1String("undone") && f.size() == 1 && planned) {
            journal.undone = true;
        } else if ((kind == QLatin1String("finished") || kind == QLatin1String("stopped")) &&
                   f.size() == 1) {
            journal.ended = true;
            journal.completed = kind == QLatin1String("finished");
        } else {
            ok = false;
        }
        if (!ok) {
            why = QStringLiteral("line %1 cannot be read").arg(n + 1);
            return false;
        }
    }
    if (!planned) {
        why = QStringLiteral("its plan is incomplete");
        return false;
    }
    if (journal.ended)
        journal.undecided = journal.plan.size();
    return true;
}

QString JournalReader::load(FileSystem& fs, const QString& path, RenameJournal::Contents& journal,
                            qint64* kept)
{
    QByteArray bytes;
    const int rc = fs.readChunks(path, 1 << 20, [&bytes](const QByteArray& chunk) {
        bytes += chunk;
        return true;
    });
    if (rc != FileErrors::None)
        return QStringLiteral("cannot read the journal %1 (%2)").arg(path, DiskErrors::text(rc));
    if (bytes.startsWith("Quillon undo record\n"))
        return QStringLiteral("%1 is an undo record of an older version, which this version no "
                              "longer reads: only rename journals are undone")
            .arg(path);
    QString why;
    if (!read(bytes, journal, why))
        return QStringLiteral("%1 is not an undo record: %2").arg(path, why);
    if (kept)
        *kept = bytes.lastIndexOf('\n') + 1;
    return QString();
}
