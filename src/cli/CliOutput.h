#pragma once

#include <QString>

// Text to standard output and error. File names are written back as the bytes
// they were read from (FileNameCodec), so a name that is not UTF-8 prints as
// itself.
namespace CliOutput
{

void out(const QString& line); // a line (newline appended)
void err(const QString& line);

} // namespace CliOutput
