// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliOutput.h"

#include "platform/FileNameCodec.h"

#include <cstdio>
#include <unistd.h>

namespace
{
void writeLine(FILE* stream, const QString& line)
{
    QByteArray bytes = FileNameCodec::encode(line);
    bytes += '\n';
    fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}
} // namespace

void CliOutput::out(const QString& line)
{
    writeLine(stdout, line);
}

void CliOutput::err(const QString& line)
{
    fflush(stdout);
    writeLine(stderr, line);
}

void CliOutput::progress(const QString& line)
{
    static const bool terminal = isatty(STDERR_FILENO) == 1;
    if (terminal)
        err(line);
}
