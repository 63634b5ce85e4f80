// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The type filter of the folder scan: field 0 is the text of the type box,
// the rest a file name. The box's "*" lets every name through.

#include "FuzzInput.h"

#include "filelist/FolderScan.h"
#include "platform/FileNameCodec.h"

namespace
{

// The filter as the scan applies it; the one place to change when the
// filter's class changes.
bool typeFilterAccepts(const QString& boxText, const QString& name)
{
    return FolderScan::passesFilter(name, FolderScan::filterFromBox(boxText));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const FuzzInput in(data, size);
    const QString box = QString::fromUtf8(in.field(0));
    const QString name = FileNameCodec::decode(in.field(1, true));
    const bool accepted = typeFilterAccepts(box, name);
    if (box == QLatin1String("*"))
        FUZZ_CHECK(accepted);
    return 0;
}
