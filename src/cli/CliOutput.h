// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Text to standard output and error. File names are written back as the bytes
// they were read from (FileNameCodec), so a name that is not UTF-8 prints as
// itself.
namespace CliOutput
{

void out(const QString& line); // a line (newline appended)
void err(const QString& line);
// The window's status texts (a pass's percentage, "Renaming Completed"):
// on standard error, and only when it is a terminal, so that what a
// script reads holds results and messages only.
void progress(const QString& line);

} // namespace CliOutput
