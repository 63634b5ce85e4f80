#include "CliOutput.h"

#include "platform/FileNameCodec.h"

#include <cstdio>

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
