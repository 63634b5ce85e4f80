#include "NameGenerator.h"

#include "Session.h"
#include "filelist/FileListModel.h"
#include "platform/Prompter.h"
#include "platform/Random.h"

#include <QVarLengthArray>

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

// The number text: the last L characters of the padding followed by the
// number, so the padding "00" turns 123 into 23 and an empty padding gives
// no number at all.
class NumberText
{
public:
    explicit NumberText(const QString& zeros) : m_zeros(zeros) {}

    void set(qint64 number)
    {
        char16_t digits[24];
        int n = 0;
        do {
            digits[n++] = char16_t('0' + number % 10);
            number /= 10;
        } while (number);
        const qsizetype width = m_zeros.size();
        m_text.resize(0);
        if (n < width)
            m_text.append(QStringView(m_zeros).mid(n));
        for (int i = qMin<qsizetype>(n, width) - 1; i >= 0; --i)
            m_text.append(QChar(digits[i]));
    }
    const QString& text() const { return m_text; }

private:
    const QString& m_zeros;
    QString m_text;
};

// Builds the new name of one file; one object per run keeps its buffers.
class Builder
{
public:
    Builder(const NameGenerator::Inputs& in, Mode mode)
        : m_in(in), m_mode(mode), m_keepExt(in.extension == NameGenerator::keepExtension()),
          m_number(in.zeros)
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
        QString n;
        switch (m_mode) {
        case Mode::Same:
            return f.toString();
        case Mode::Numbered:
            n = numbered(f, k);
            break;
        case Mode::FrontBack:
            n = frontAndBack(f, k);
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

private:
    QStringView extensionOf(QStringView f) const
    {
        if (!m_keepExt)
            return m_in.extension;
        const qsizetype dot = f.lastIndexOf(QLatin1Char('.'));
        return dot < 0 ? QStringView() : f.mid(dot);
    }

    QString numbered(QStringView f, int k)
    {
        m_number.set(qint64(k) + 1);
        const QStringView ext = extensionOf(f);
        QString n;
        n.reserve(m_in.pattern.size() + m_segments.size() * m_number.text().size() + ext.size());
        for (qsizetype s = 0; s < m_segments.size(); ++s) {
            if (s)
                n += m_number.text();
            n += m_segments[s];
        }
        n += ext;
        return n;
    }

    // "+" becomes the current name without its extension E (every occurrence
    // of E removed, letter case counting), E follows, and then every "#" of
    // the whole name is numbered, also one that came from the current name.
    QString frontAndBack(QStringView f, int k)
    {
        const QStringView ext = extensionOf(f);
        QString n;
        n.reserve(m_in.pattern.size() + (m_segments.size() - 1) * f.size() + ext.size());
        for (qsizetype s = 0; s < m_segments.size(); ++s) {
            if (s)
                appendWithout(n, f, ext);
            n += m_segments[s];
        }
        n += ext;
        if (!n.contains(QLatin1Char('#')))
            return n;
        m_number.set(qint64(k) + 1);
        QString numbered;
        numbered.reserve(n.size() + 4 * m_number.text().size());
        for (QChar c : std::as_const(n)) {
            if (c == QLatin1Char('#'))
                numbered += m_number.text();
            else
                numbered += c;
        }
        return numbered;
    }

    static void appendWithout(QString& out, QStringView f, QStringView cut)
    {
        if (cut.isEmpty()) {
            out += f;
            return;
        }
        qsizetype from = 0;
        for (qsizetype at; (at = f.indexOf(cut, from)) >= 0; from = at + cut.size())
            out += f.mid(from, at - from);
        out += f.mid(from);
    }

    QString caseChanged(QStringView f)
    {
        QString n = m_mode == Mode::Case    ? properCase(f)
                    : m_mode == Mode::Upper ? f.toString().toUpper()
                                            : f.toString().toLower();
        // A chosen extension replaces a dot and three characters at the end;
        // any other ending stays as the conversion left it.
        if (!m_keepExt && n.size() >= 4 && n.at(n.size() - 4) == QLatin1Char('.')) {
            n.chop(4);
            n += m_in.extension;
        }
        return n;
    }

    // The first character of every word in upper case, the rest in lower
    // case. Only blanks (and 0, 9..13) separate words. ASCII is converted in
    // place; other characters go through QString's full case mapping, so ß
    // becomes SS at a word start and İ lowers to i with a combining dot.
    static QString properCase(QStringView f)
    {
        QString n;
        n.reserve(f.size());
        bool start = true;
        for (qsizetype i = 0; i < f.size();) {
            const char16_t c = f[i].unicode();
            if (c < 0x80) {
                char16_t d = c;
                if (start && c >= 'a' && c <= 'z')
                    d = char16_t(c - 32);
                else if (!start && c >= 'A' && c <= 'Z')
                    d = char16_t(c + 32);
                n += QChar(d);
                start = isBlank(c);
                ++i;
                continue;
            }
            const qsizetype len = QChar::isHighSurrogate(c) && i + 1 < f.size() &&
                                          QChar::isLowSurrogate(f[i + 1].unicode())
                                      ? 2
                                      : 1;
            const QString one = QString::fromRawData(f.constData() + i, len);
            n += start ? one.toUpper() : one.toLower();
            start = false;
            i += len;
        }
        return n;
    }

    // Eight letters A..X drawn at random, of which the first 8 - len(H) are
    // kept, then H (k in upper-case hexadecimal), then the last four
    // characters of T (the chosen extension, else the lower-cased name).
    QString random(QStringView f, int k)
    {
        QChar letters[8];
        for (QChar& l : letters)
            l = QChar(char16_t(65 + int(Random::fraction() * 24)));
        const QString h = QString::number(k, 16).toUpper();
        const QString t = m_keepExt ? f.toString().toLower() : m_in.extension;
        QString n;
        n.reserve(16);
        n.append(letters, qMax<qsizetype>(0, 8 - h.size()));
        n += h;
        n += QStringView(t).right(4);
        return m_mode == Mode::RandomLower ? std::move(n).toLower() : std::move(n).toUpper();
    }

    const NameGenerator::Inputs& m_in;
    const Mode m_mode;
    const bool m_keepExt;
    NumberText m_number;
    QVarLengthArray<QStringView, 8> m_segments;
};

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
    prompter.setBusy(true);
    const Mode mode = modeOf(inputs.pattern);
    // The bound is taken now; a list shorter than fileLast says stops early.
    const int last = qMin(fileLast, int(model.displayOrder().size()) - 1);
    bool written = true;
    if (last >= 0 && mode == Mode::Refused) {
        prompter.message(sameNameMessage());
        written = false;
    } else if (last >= 0) {
        Builder builder(inputs, mode);
        for (int k = 0; k <= last; ++k) {
            const int record = model.recordAt(k);
            model.DesChange(k, builder.make(model.sourceNameOf(record), k));
        }
    }
    model.ListRefresh();
    prompter.setBusy(false);
    return written;
}

bool NameGenerator::Command2_Click(Session& session)
{
    const Inputs inputs{session.Text1, session.Zeros, session.Text2, session.R1[0], session.R1[1]};
    return run(session.model(), session.FileLast, inputs, session.prompter());
}

bool NameGenerator::keyAccepted(QChar key)
{
    switch (key.unicode()) {
    case '|':
    case '*':
    case '"':
    case '/':
    case ':':
    case '<':
    case '>':
    case '?':
    case '\\':
        return false;
    default:
        return true;
    }
}

void NameGenerator::Text1ItemChosen(Session& session, const QString& item)
{
    session.Text1 = item == sameItem() ? QString() : item;
    Command2_Click(session);
}

bool NameGenerator::Text1KeyPress(Session& session, QChar key)
{
    if (key.unicode() == 13)
        Command2_Click(session);
    return keyAccepted(key);
}

bool NameGenerator::Text2KeyPress(Session& session, QChar key)
{
    Command2_Click(session);
    return keyAccepted(key);
}

void NameGenerator::Text2ItemChosen(Session& session, const QString& item)
{
    session.Text2 = item;
    Command2_Click(session);
}

void NameGenerator::ZerosItemChosen(Session& session, const QString& item)
{
    session.Zeros = item;
    Command2_Click(session);
}
