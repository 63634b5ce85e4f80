// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShellOpen.h"

#include "FileNameCodec.h"

#include <sys/stat.h>

bool ShellOpen::hasExecuteBit(const QString& path)
{
    struct stat st;
    if (::stat(FileNameCodec::encode(path).constData(), &st) != 0)
        return false;
    return S_ISREG(st.st_mode) && (st.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)) != 0;
}
