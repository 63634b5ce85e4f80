// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

#include <optional>

class FileListModel;

// The forms a text can be put in on its way into a name: the template's
// filters ({name|nfc}, {tag:artist|ascii}) and quillon-cli's --normalize and
// --fit-length over whole proposals.
//   nfc, nfd     Unicode normalisation form C (composed) or D (decomposed)
//   ascii        transliterated to ASCII with ICU: "Ærøskøbing" becomes
//                "AEroskobing"; words of scripts without letter case are
//                capitalised ("深圳" becomes "Shen Zhen"); what has no ASCII
//                form becomes "_"
//   lower, upper letter case
class NameForms
{
public:
    enum class Filter { Nfc, Nfd, Ascii, Lower, Upper };

    static std::optional<Filter> filterNamed(QStringView name);
    static QString apply(const QString& text, Filter filter);
    static QString ascii(const QString& text);

    // The proposals of list positions 0..last in the normal form given
    // ("nfc", "nfd"; empty for none), then, with fitLength, shortened to
    // what a disk takes (NameRules::fitLength).
    static void finish(FileListModel& model, int last, const QString& normalize, bool fitLength);
};
