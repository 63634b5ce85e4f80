// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RegexReplace.h"

#include "filelist/FileListModel.h"

std::optional<RegexReplace> RegexReplace::create(const QString& pattern, const QString& with,
                                                 QString& why, bool matchCase, Fault* fault)
{
    RegexReplace r;
    r.m_pattern =
        QRegularExpression(pattern, matchCase ? QRegularExpression::UseUnicodePropertiesOption
                                              : QRegularExpression::UseUnicodePropertiesOption |
                                                    QRegularExpression::CaseInsensitiveOption);
    if (fault && !r.m_pattern.isValid())
        *fault = {r.m_pattern.errorString(), r.m_pattern.patternErrorOffset()};
    if (!r.m_pattern.isValid()) {
        // The offset counts the characters before the fault; people count
        // from 1, and a caret under the pattern leaves no doubt.
        const qsizetype at = r.m_pattern.patternErrorOffset();
        why = QStringLiteral("--regex: %1 at position %2 of the pattern\n  %3\n  %4^")
                  .arg(r.m_pattern.errorString())
                  .arg(at + 1)
                  .arg(pattern, QString(at, QLatin1Char(' ')));
        return std::nullopt;
    }
    QString text;
    for (qsizetype i = 0; i < with.size(); ++i) {
        const QChar next = i + 1 < with.size() ? with[i + 1] : QChar();
        if (with[i] != QLatin1Char('\\') || (!next.isDigit() && next != QLatin1Char('\\'))) {
            text += with[i];
            continue;
        }
        ++i;
        if (next == QLatin1Char('\\')) {
            text += next;
            continue;
        }
        const int group = next.digitValue();
        if (group > r.m_pattern.captureCount()) {
            why = QStringLiteral("--with refers to group \\%1, but the pattern has %2")
                      .arg(group)
                      .arg(r.m_pattern.captureCount());
            return std::nullopt;
        }
        r.m_template.push_back({text, -1});
        r.m_template.push_back({QString(), group});
        text.clear();
    }
    r.m_template.push_back({text, -1});
    return r;
}

QString RegexReplace::apply(const QString& name, bool* gaveUp) const
{
    QString out;
    qsizetype done = 0;
    QRegularExpressionMatchIterator it = m_pattern.globalMatch(name);
    // A match the engine could not finish is invalid, as is its iterator.
    if (gaveUp)
        *gaveUp = !it.isValid();
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        if (!m.isValid()) {
            if (gaveUp)
                *gaveUp = true;
            return name;
        }
        out += QStringView(name).mid(done, m.capturedStart() - done);
        for (const Piece& piece : m_template)
            out += piece.group < 0 ? piece.text : m.captured(piece.group);
        done = m.capturedEnd();
    }
    if (done == 0 && out.isEmpty())
        return name; // no match: the name as it was
    out += QStringView(name).mid(done);
    return out;
}

QList<int> RegexReplace::applyTo(FileListModel& model, int fileLast) const
{
    QList<int> gaveUp;
    for (int k = 0; k <= fileLast; ++k) {
        bool failed = false;
        model.setNewNameAt(k, apply(model.newNameAt(k), &failed));
        if (failed)
            gaveUp << k;
    }
    return gaveUp;
}
