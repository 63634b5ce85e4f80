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

QString CliOutput::escapeField(QStringView field)
{
    QString out;
    out.reserve(field.size());
    for (QChar c : field) {
        switch (c.unicode()) {
        case '\\':
            out += QLatin1String("\\\\");
            break;
        case '\t':
            out += QLatin1String("\\t");
            break;
        case '\r':
            out += QLatin1String("\\r");
            break;
        case '\n':
            out += QLatin1String("\\n");
            break;
        default:
            out += c;
        }
    }
    return out;
}
