// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "JournalRecords.h"

#include "platform/DosAttrib.h"
#include "platform/FieldText.h"

#include <charconv>

namespace
{

void appendTime(QByteArray& text, const FileSystem::Time& time)
{
    text += QByteArray::number(time.seconds) + '.' +
            QByteArray::number(time.nanoseconds).rightJustified(9, '0');
}

bool parseTime(const QString& text, FileSystem::Time& time)
{
    const qsizetype dot = text.indexOf(QLatin1Char('.'));
    bool secondsOk = false, nanosecondsOk = false;
    time.seconds = text.left(dot).toLongLong(&secondsOk);
    time.nanoseconds = text.mid(dot + 1).toInt(&nanosecondsOk);
    return dot > 0 && text.size() - dot == 10 && secondsOk && nanosecondsOk &&
           time.nanoseconds >= 0;
}

} // namespace

void JournalRecords::appendStep(QByteArray& text, const char* kind, const QString& from,
                                const QString& to)
{
    text += kind;
    text += '\t';
    FieldText::appendEscapedBytes(text, from);
    text += '\t';
    FieldText::appendEscapedBytes(text, to);
    text += '\n';
}

// "kind<TAB>number" and its line end, without a string for the number.
void JournalRecords::appendNumbered(QByteArray& text, const char* kind, qsizetype number)
{
    char digits[24];
    const char* end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    text.append(kind).append('\t').append(digits, end - digits).append('\n');
}

// "was<TAB>name<TAB>modified<TAB>created<TAB>mode<TAB>dosattrib"
void JournalRecords::appendState(QByteArray& text, const QString& name,
                                 const FileSystem::FileState& state)
{
    text += "was\t";
    FieldText::appendEscapedBytes(text, name);
    text += '\t';
    appendTime(text, state.modified);
    text += '\t';
    const DosAttrib dos = DosAttrib::decode(state.dosAttrib);
    if (state.hasDosAttrib && dos.createTimeValid) {
        FileSystem::Time created;
        DosAttrib::unixFromNtTime(dos.createTime, created.seconds, created.nanoseconds);
        appendTime(text, created);
    } else {
        text += '-';
    }
    text += '\t' + QByteArray::number(state.mode, 8) + '\t';
    text += state.hasDosAttrib ? state.dosAttrib.toHex() : QByteArray("-");
    text += '\n';
}

bool JournalRecords::parseState(const QStringList& f, RenameJournal::FileRecord& record)
{
    FileSystem::FileState& state = record.state;
    FileSystem::Time created;
    bool modeOk = false;
    record.name = f[1];
    state.mode = f[4].toInt(&modeOk, 8);
    state.hasDosAttrib = f[5] != QLatin1String("-");
    const QByteArray hex = f[5].toLatin1();
    state.dosAttrib = state.hasDosAttrib ? QByteArray::fromHex(hex) : QByteArray();
    return parseTime(f[2], state.modified) &&
           (f[3] == QLatin1String("-") || parseTime(f[3], created)) && modeOk && state.mode >= 0 &&
           state.mode <= 07777 && (!state.hasDosAttrib || state.dosAttrib.toHex() == hex.toLower());
}
