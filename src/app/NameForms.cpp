// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "NameForms.h"

#include "filelist/FileListModel.h"
#include "platform/NameRules.h"

#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <memory>

namespace
{

icu::UnicodeString toIcu(const QString& text)
{
    return icu::UnicodeString(reinterpret_cast<const UChar*>(text.utf16()), int32_t(text.size()));
}

QString fromIcu(const icu::UnicodeString& text)
{
    return QString(reinterpret_cast<const QChar*>(text.getBuffer()), text.length());
}

// A transliterator per thread: ICU's are not to be shared while they work,
// and the window makes proposals away from its own thread.
QString transliterate(const QString& text, bool capitalise)
{
    thread_local std::unique_ptr<icu::Transliterator> plain, titled;
    std::unique_ptr<icu::Transliterator>& t = capitalise ? titled : plain;
    if (!t) {
        UErrorCode status = U_ZERO_ERROR;
        t.reset(icu::Transliterator::createInstance(capitalise ? "Any-Latin; Latin-ASCII; Any-Title"
                                                               : "Any-Latin; Latin-ASCII",
                                                    UTRANS_FORWARD, status));
        if (U_FAILURE(status))
            t.reset();
    }
    if (!t)
        return text;
    icu::UnicodeString u = toIcu(text);
    t->transliterate(u);
    return fromIcu(u);
}

// A letter of a script without letter case (Han, Kana, Hangul, Arabic...).
bool uncased(char32_t c)
{
    return QChar::category(c) == QChar::Letter_Other;
}

} // namespace

std::optional<NameForms::Filter> NameForms::filterNamed(QStringView name)
{
    static const std::pair<const char*, Filter> names[] = {
        {"nfc", Filter::Nfc},     {"nfd", Filter::Nfd},     {"ascii", Filter::Ascii},
        {"lower", Filter::Lower}, {"upper", Filter::Upper},
    };
    for (const auto& [text, filter] : names)
        if (name == QLatin1String(text))
            return filter;
    return std::nullopt;
}

QString NameForms::apply(const QString& text, Filter filter)
{
    switch (filter) {
    case Filter::Nfc:
        return text.normalized(QString::NormalizationForm_C);
    case Filter::Nfd:
        return text.normalized(QString::NormalizationForm_D);
    case Filter::Ascii:
        return ascii(text);
    case Filter::Lower:
        return text.toLower();
    case Filter::Upper:
        return text.toUpper();
    }
    return text;
}

QString NameForms::ascii(const QString& text)
{
    // Runs of uncased letters are capitalised word by word; the rest keeps
    // its letter case.
    QString result;
    qsizetype runStart = 0;
    bool runUncased = false;
    const auto flush = [&](qsizetype end) {
        if (end > runStart)
            result += transliterate(text.mid(runStart, end - runStart), runUncased);
        runStart = end;
    };
    for (qsizetype i = 0; i < text.size();) {
        const char32_t c = text.at(i).isHighSurrogate() && i + 1 < text.size()
                               ? QChar::surrogateToUcs4(text.at(i), text.at(i + 1))
                               : text.at(i).unicode();
        const bool u = uncased(c);
        if (u != runUncased) {
            flush(i);
            runUncased = u;
        }
        i += c > 0xFFFF ? 2 : 1;
    }
    flush(text.size());
    // What has no ASCII form (an emoji: two UTF-16 units) becomes one "_".
    QString ascii;
    for (qsizetype i = 0; i < result.size(); ++i) {
        const QChar c = result.at(i);
        if (c.isHighSurrogate() && i + 1 < result.size() && result.at(i + 1).isLowSurrogate())
            ++i;
        ascii += c.unicode() < 0x80 ? c : QLatin1Char('_');
    }
    return ascii;
}

void NameForms::finish(FileListModel& model, int last, const QString& normalize, bool fitLength)
{
    const std::optional<Filter> form = filterNamed(normalize);
    for (int k = 0; k <= last; ++k) {
        QString name = model.newNameAt(k);
        if (form)
            name = apply(name, *form);
        if (fitLength)
            name = NameRules::fitLength(name);
        if (name != model.newNameAt(k))
            model.setNewNameAt(k, name);
    }
}
