// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TypeFilter.h"

namespace
{

// The code point at i, and how many units it takes: a surrogate pair is
// one character, as "?" counts characters; a lone surrogate (a byte of a
// name that is not UTF-8) is one too.
char32_t codePointAt(QStringView s, qsizetype i, qsizetype& units)
{
    const char16_t c = s[i].unicode();
    if (QChar::isHighSurrogate(c) && i + 1 < s.size() &&
        QChar::isLowSurrogate(s[i + 1].unicode())) {
        units = 2;
        return QChar::surrogateToUcs4(c, s[i + 1].unicode());
    }
    units = 1;
    return c;
}

// A "[...]" at p[i]: whether c is in the set, and where the set ends (just
// past its "]"); the end stays i when the bracket is not closed.
bool inSet(QStringView p, qsizetype i, char32_t c, qsizetype& end)
{
    qsizetype k = i + 1;
    const bool negated = k < p.size() && (p[k] == u'!' || p[k] == u'^');
    if (negated)
        ++k;
    bool found = false;
    bool first = true;
    while (k < p.size() && (first || p[k] != u']')) {
        first = false;
        qsizetype units = 0;
        const char32_t low = codePointAt(p, k, units);
        k += units;
        char32_t high = low;
        if (k + 1 < p.size() && p[k] == u'-' && p[k + 1] != u']') {
            high = codePointAt(p, k + 1, units);
            k += 1 + units;
        }
        found = found || (low <= c && c <= high);
    }
    if (k >= p.size()) {
        end = i;
        return false;
    }
    end = k + 1;
    return found != negated;
}

// Whether the one character at n[j] matches the pattern item at p[i]
// ("?", a set or a literal); nextI and nextJ are set past both.
bool matchOne(QStringView p, qsizetype i, QStringView n, qsizetype j, qsizetype& nextI,
              qsizetype& nextJ)
{
    qsizetype units = 0;
    const char32_t c = codePointAt(n, j, units);
    nextJ = j + units;
    if (p[i] == u'?') {
        nextI = i + 1;
        return true;
    }
    if (p[i] == u'[') {
        qsizetype end = i;
        const bool found = inSet(p, i, c, end);
        if (end != i) {
            nextI = end;
            return found;
        }
    }
    nextI = i + 1;
    nextJ = j + 1;
    return p[i] == n[j];
}

// Shell-style matching with one remembered "*": on a mismatch the last "*"
// takes one more character and the rest is tried again, which needs no
// recursion and at most name length x pattern length steps.
bool matches(QStringView p, QStringView n)
{
    qsizetype i = 0, j = 0;
    qsizetype star = -1, resume = 0;
    while (j < n.size()) {
        qsizetype nextI = 0, nextJ = 0;
        if (i < p.size() && p[i] == u'*') {
            star = i++;
            resume = j;
        } else if (i < p.size() && matchOne(p, i, n, j, nextI, nextJ)) {
            i = nextI;
            j = nextJ;
        } else if (star >= 0) {
            i = star + 1;
            qsizetype units = 0;
            codePointAt(n, resume, units);
            resume += units;
            j = resume;
        } else {
            return false;
        }
    }
    while (i < p.size() && p[i] == u'*')
        ++i;
    return i == p.size();
}

} // namespace

TypeFilter::TypeFilter(const QString& boxText)
{
    for (const QString& piece : boxText.split(QLatin1Char(';'))) {
        const QString pattern = piece.trimmed();
        if (pattern == QLatin1String("*.*") || pattern == QLatin1String("*"))
            m_all = true;
        else if (!pattern.isEmpty())
            m_patterns << pattern.toCaseFolded();
    }
    m_all = m_all || m_patterns.isEmpty();
}

bool TypeFilter::passes(QStringView name) const
{
    if (m_all)
        return true;
    const QString folded = name.toString().toCaseFolded();
    for (const QString& pattern : m_patterns) {
        if (matches(pattern, folded))
            return true;
    }
    return false;
}
