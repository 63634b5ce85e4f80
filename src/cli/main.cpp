// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliApp.h"

#include "platform/FileNameCodec.h"

#include <QCoreApplication>

#include <cstring>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quillon-cli"));
    // Arguments are taken as file names are: bytes that are not UTF-8 are
    // kept, so a folder or file named that way is found.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << FileNameCodec::decode(argv[i], qsizetype(strlen(argv[i])));
    CliApp cli;
    return cli.run(arguments);
}
