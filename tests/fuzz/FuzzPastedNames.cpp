// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The new names pasted from the clipboard or read by quillon-cli --paste:
// field 0 is the number of listed files (its first byte, modulo 8), the rest
// the pasted bytes, decoded as quillon-cli decodes a --paste file. A paste
// either changes names and shows nothing, or shows its message and changes
// nothing; no name it sets holds "/".

#include "FuzzInput.h"
#include "PromptRecorder.h"

#include "ListRows.h"
#include "app/NewNameClipboard.h"
#include "filelist/FileListModel.h"
#include "platform/FileNameCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const FuzzInput in(data, size);
    const QByteArray count = in.field(0);
    const int files = count.isEmpty() ? 0 : std::uint8_t(count[0]) % 8;
    // As the session lists a folder: an empty folder leaves one empty row,
    // and the last position is -1.
    QStringList rows;
    for (int i = 0; i < files; ++i)
        rows << QStringLiteral("1/1/2020|1/2/2020|name_%1.txt|new_%1.txt|1,024|").arg(i);
    if (files == 0)
        rows << QString();
    FileListModel model;
    model.setRows(ListRows::fromTexts(rows));
    PromptRecorder prompter;
    const bool pasted = NewNameClipboard::pasteText(
        model, files - 1, FileNameCodec::decode(in.field(1, true)), prompter);
    FUZZ_CHECK(pasted == prompter.messages.isEmpty());
    for (int k = 0; k < files; ++k) {
        const QString name = model.newNameAt(k);
        FUZZ_CHECK(!name.contains(QLatin1Char('/')));
        if (!pasted)
            FUZZ_CHECK(name == QStringLiteral("new_%1.txt").arg(k));
    }
    return 0;
}
