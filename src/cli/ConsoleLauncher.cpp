// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConsoleLauncher.h"

#include "platform/FieldText.h"
#include "platform/Prompter.h"
#include "platform/SystemProcessLauncher.h"

#include <cstdio>

int ConsoleLauncher::start(const QStringList& arguments, WindowState, const QString& folder)
{
    // What quillon-cli printed comes before what the program prints.
    fflush(stdout);
    int exitStatus = 0;
    const int rc = SystemProcessLauncher::run(arguments, folder, exitStatus);
    if (rc == 0 && exitStatus != 0) {
        QStringList words;
        for (const QString& word : arguments)
            words << FieldText::escaped(word);
        m_prompter.message(QStringLiteral("quillon-cli: %1 exited with status %2")
                               .arg(words.join(QLatin1Char(' ')))
                               .arg(exitStatus));
    }
    return rc;
}
