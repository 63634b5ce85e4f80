// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "NameGenerator.h"

#include "Session.h"
#include "filelist/FileListModel.h"
#include "platform/BusyPointer.h"
#include "platform/FileName.h"
#include "platform/Prompter.h"
#include "platform/Random.h"

#include <QVarLengthArray>

#include <memory>

namespace
{

enum class Mode {
    Numbered,
    Same, // numbered with an empty pattern: the current name, no replace step
    FrontBack,
    Case,
    Upper,
    Lower,
    RandomLower,
    RandomUpper,
    ReplaceOnly,
    Refused,
};

// Modes are tested in this order, letter case counting: "+" anywhere wins
// over a keyword, and a keyword over the "no #" refusal.
Mode modeOf(const QString& p)
{
    if (p.contains(QLatin1Char('+')))
        return Mode::FrontBack;
    static const struct {
        const char* word;
        Mode mode;
    } keywords[] = {{"Case", Mode::Case},
                    {"UpperCase", Mode::Upper},
                    {"LowerCase", Mode::Lower},
                    {"Random Lowercase", Mode::RandomLower},
                    {"Random UPPERcase", Mode::RandomUpper},
                    {"Replace Only", Mode::ReplaceOnly}};
    for (const auto& k : keywords) {
        if (p == QLatin1String(k.word))
            return k.mode;
    }
    if (p.isEmpty())
        return Mode::Same;
    return p.contains(QLatin1Char('#')) ? Mode::Numbered : Mode::Refused;
}

bool isBlank(char16_t c)
{
    return c == ' ' || c == 0 || (c >= 9 && c <= 13);
}

char16_t asciiCase(char16_t c, bool upper)
{
    if (upper && c >= 'a' && c <= 'z')
        return char16_t(c - 32);
    if (!upper && c >= 'A' && c <= 'Z')
        return char16_t(c + 32);
    return c;
}

// Appends s in upper or lower case. ASCII is converted in place; any other
// character goes through QString's full case mapping (ß becomes SS, İ
// lowers to i and a combining dot), exactly as QString::toUpper/toLower.
void appendCase(QString& out, QStringView s, bool upper)
{
    const qsizetype at = out.size();
    out.resize(at + s.size());
    QChar* d = out.data() + at;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i].unicode() >= 0x80) {
            out.truncate(at + i);
            const QString rest = s.mid(i).toString();
            out += upper ? rest.toUpper() : rest.toLower();
            return;
        }
        d[i] = QChar(asciiCase(s[i].unicode(), upper));
    }
}

// The number text: the last L characters of the padding followed by the
// number, so the padding "00" turns 123 into 23 and an empty padding gives
// no number at all. Worked out only when a name needs it.
class NumberText
{
public:
    explicit NumberText(const QString& padding) : m_zeros(padding) {}

    void forNumber(qint64 number)
    {
        m_number = number;
        m_ready = false;
    }
    const QString& text()
    {
        if (!m_ready)
            build();
        return m_text;
    }

private:
    void build()
    {
        char16_t digits[24];
        int n = 0;
        for (qint64 v = m_number; n == 0 || v; v /= 10)
            digits[n++] = char16_t('0' + v % 10);
        const qsizetype width = m_zeros.size();
        m_text.resize(0);
        if (n < width)
            m_text.append(QStringView(m_zeros).mid(n));
        for (int i = qMin<qsizetype>(n, width) - 1; i >= 0; --i)
            m_text.append(QChar(digits[i]));
        m_ready = true;
    }

    const QString& m_zeros;
    QString m_text;
    qint64 m_number = 0;
    bool m_ready = false;
};

// Builds the new name of one file; one object per run keeps its buffers.
class Builder
{
public:
    Builder(const NameGenerator::Inputs& in, Mode mode)
        : m_in(in), m_mode(mode), m_keepExt(in.extension == NameGenerator::keepExtension()),
          m_number(in.padding)
    {
        const QStringView p(in.pattern);
        const QChar split = mode == Mode::FrontBack ? QLatin1Char('+') : QLatin1Char('#');
        for (qsizetype from = 0;;) {
            const qsizetype at = p.indexOf(split, from);
            m_segments.append(p.mid(from, at < 0 ? -1 : at - from));
            if (at < 0)
                break;
            from = at + 1;
        }
    }

    QString make(QStringView f, int k)
    {
        m_number.forNumber(qint64(k) + 1);
        QString n;
        switch (m_mode) {
        case Mode::Same:
            return f.toString();
        case Mode::Numbered:
            n = numbered(f);
            break;
        case Mode::FrontBack:
            n = frontAndBack(f);
            break;
        case Mode::Case:
        case Mode::Upper:
        case Mode::Lower:
            n = caseChanged(f);
            break;
        case Mode::RandomLower:
        case Mode::RandomUpper:
            n = random(f, k);
            break;
        case Mode::ReplaceOnly:
        case Mode::Refused:
            n = f.toString();
            break;
        }
        if (!m_in.replaceWhat.isEmpty())
            n.replace(m_in.replaceWhat, m_in.replaceWith, Qt::CaseSensitive);
        return n;
    }

    // Appends the new name to out: a numbered name without a replace pair is
    // written in place (the window's first list is made so), others as made.
    void appendTo(QString& out, QStringView f, int k)
    {
        if (m_mode == Mode::Numbered && m_in.replaceWhat.isEmpty()) {
            m_number.forNumber(qint64(k) + 1);
            appendNumberedName(out, f);
            return;
        }
        out += make(f, k);
    }

private:
    QStringView extensionOf(QStringView f) const
    {
        if (!m_keepExt)
            return m_in.extension;
        return FileName::extension(f);
    }

    QString numbered(QStringView f)
    {
        QString n;
        n.reserve(m_in.pattern.size() + m_segments.size() * 8 + 8);
        appendNumberedName(n, f);
        return n;
    }

    // No reserve here: out may be a whole part's text, which grows by itself.
    void appendNumberedName(QString& out, QStringView f)
    {
        const QString& number = m_number.text();
        for (qsizetype s = 0; s < m_segments.size(); ++s) {
            if (s)
                out += number;
            out += m_segments[s];
        }
        out += extensionOf(f);
    }

    // "+" becomes the current name without its extension E (every occurrence
    // of E removed, letter case counting), E follows, and every "#" of the
    // whole name is numbered, also one that came from the current name.
    QString frontAndBack(QStringView f)
    {
        const QStringView ext = extensionOf(f);
        QString n;
        n.reserve(m_in.pattern.size() + (m_segments.size() - 1) * f.size() + ext.size() + 8);
        for (qsizetype s = 0; s < m_segments.size(); ++s) {
            if (s)
                appendWithout(n, f, ext);
            appendNumbered(n, m_segments[s]);
        }
        appendNumbered(n, ext);
        return n;
    }

    void appendWithout(QString& out, QStringView f, QStringView cut)
    {
        qsizetype from = 0;
        if (!cut.isEmpty()) {
            for (qsizetype at; (at = f.indexOf(cut, from)) >= 0; from = at + cut.size())
                appendNumbered(out, f.mid(from, at - from));
        }
        appendNumbered(out, f.mid(from));
    }

    void appendNumbered(QString& out, QStringView part)
    {
        qsizetype from = 0;
        for (qsizetype at; (at = part.indexOf(QLatin1Char('#'), from)) >= 0; from = at + 1) {
            out += part.mid(from, at - from);
            out += m_number.text();
        }
        out += part.mid(from);
    }

    // The whole name converted; a chosen extension takes the place of the
    // file's own (of any length, or none), as in every other mode.
    QString caseChanged(QStringView f)
    {
        const QStringView part = m_keepExt ? f : FileName::stem(f);
        QString n;
        n.reserve(f.size() + m_in.extension.size());
        if (m_mode == Mode::Case)
            appendProperCase(n, part);
        else
            appendCase(n, part, m_mode == Mode::Upper);
        if (!m_keepExt)
            n += m_in.extension;
        return n;
    }

    // The first character of every word in upper case, the rest in lower
    // case. Only blanks (and 0, 9..13) separate words, so dots, underscores
    // and hyphens do not start one.
    static void appendProperCase(QString& n, QStringView f)
    {
        bool start = true;
        for (qsizetype i = 0; i < f.size();) {
            // A run of ASCII is written in place.
            qsizetype end = i;
            while (end < f.size() && f[end].unicode() < 0x80)
                ++end;
            if (end > i) {
                const qsizetype at = n.size();
                n.resize(at + (end - i));
                QChar* d = n.data() + at;
                for (; i < end; ++i) {
                    const char16_t c = f[i].unicode();
                    *d++ = QChar(asciiCase(c, start));
                    start = isBlank(c);
                }
                continue;
            }
            const char16_t c = f[i].unicode();
            const qsizetype len = QChar::isHighSurrogate(c) && i + 1 < f.size() &&
                                          QChar::isLowSurrogate(f[i + 1].unicode())
                                      ? 2
                                      : 1;
            appendCase(n, f.mid(i, len), start);
            start = false;
            i += len;
        }
    }

    // The first 8 - len(H) of eight letters A..X drawn at random, then H (k
    // in hexadecimal), then the extension (the chosen one, else the file's
    // own), all in one letter case.
    QString random(QStringView f, int k)
    {
        const bool upper = m_mode == Mode::RandomUpper;
        char16_t letters[8];
        for (char16_t& l : letters)
            l = asciiCase(char16_t(65 + int(Random::fraction() * 24)), upper);
        char16_t hex[8];
        int digits = 0;
        for (quint32 v = quint32(k); digits == 0 || v; v >>= 4)
            hex[digits++] = asciiCase(char16_t("0123456789ABCDEF"[v & 15]), upper);
        QString n;
        n.reserve(16);
        n.append(reinterpret_cast<const QChar*>(letters), qMax(0, 8 - digits));
        while (digits)
            n += QChar(hex[--digits]);
        appendCase(n, extensionOf(f), upper);
        return n;
    }

    const NameGenerator::Inputs& m_in;
    const Mode m_mode;
    const bool m_keepExt;
    NumberText m_number;
    QVarLengthArray<QStringView, 8> m_segments;
};

// Random names draw from the one random sequence, in list order; every
// other mode makes a name from the current name and the position alone, so
// the parts of the list are made on every core.
void makeNames(FileListModel& model, int last, const NameGenerator::Inputs& inputs, Mode mode)
{
    if (mode == Mode::RandomLower || mode == Mode::RandomUpper) {
        Builder builder(inputs, mode);
        for (int k = 0; k <= last; ++k)
            model.setNewNameAt(k, builder.make(model.currentNameOf(model.recordAt(k)), k));
        return;
    }
    model.setNewNames(last + 1, [&inputs, mode]() -> FileListModel::NameMaker {
        auto builder = std::make_shared<Builder>(inputs, mode);
        return [builder](int k, QStringView current, QString& out) {
            builder->appendTo(out, current, k);
        };
    });
}

} // namespace

QString NameGenerator::keepExtension()
{
    return QStringLiteral(".???");
}

QString NameGenerator::sameNameMessage()
{
    return QStringLiteral("All new file names cannot be the same...");
}

QString NameGenerator::sameItem()
{
    return QStringLiteral("Same");
}

bool NameGenerator::run(FileListModel& model, int fileLast, const Inputs& inputs,
                        Prompter& prompter)
{
    BusyPointer busy(prompter);
    const Mode mode = modeOf(inputs.pattern);
    // The bound is taken now; a list shorter than fileLast says stops early.
    const int last = qMin(fileLast, int(model.displayOrder().size()) - 1);
    bool written = true;
    if (last >= 0 && mode == Mode::Refused) {
        prompter.message(sameNameMessage());
        written = false;
    } else if (last >= 0) {
        makeNames(model, last, inputs, mode);
    }
    model.refresh();
    return written;
}

bool NameGenerator::generateNames(Session& session)
{
    return session.generateNames();
}

bool NameGenerator::isNumbered(const QString& pattern)
{
    return modeOf(pattern) == Mode::Numbered;
}

bool NameGenerator::keyAccepted(QChar key)
{
    return FileName::isAllowed(key);
}

void NameGenerator::patternItemChosen(Session& session, const QString& item)
{
    session.setPattern(item == sameItem() ? QString() : item);
    generateNames(session);
}

bool NameGenerator::patternKeyTyped(Session& session, QChar key)
{
    if (key.unicode() == 13)
        generateNames(session);
    return keyAccepted(key);
}

bool NameGenerator::extensionKeyTyped(Session& session, QChar key)
{
    generateNames(session);
    return keyAccepted(key);
}

void NameGenerator::extensionItemChosen(Session& session, const QString& item)
{
    session.setExtension(item);
    generateNames(session);
}

void NameGenerator::paddingItemChosen(Session& session, const QString& item)
{
    session.setPadding(item);
    generateNames(session);
}
