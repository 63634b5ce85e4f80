// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Prompter.h"

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <optional>

// The options of quillon-cli, checked per command before anything is read
// or changed: each command takes only its own options, the ones it needs
// must be there, and every value must be one the command can use. The
// commands then read values that are known to be good.
namespace CliOptions
{

// The options quillon-cli knows, with the values they take, for the parser.
QList<QCommandLineOption> all();

// The first fault of the command line for command, as the one line a usage
// error shows; empty when there is none. folderGiven: a folder follows the
// command.
QString fault(const QCommandLineParser& parser, const QString& command, bool folderGiven);

// Whether command takes the option (its long name).
bool takes(const QString& command, const QString& option);

// The options that make new names: rename, and a batch that uses
// Destnames$, need one of them.
const QStringList& namingOptions();

// --format, else the extension of -o when it names a format, else tsv.
QString listFormat(const QCommandLineParser& parser);
const QStringList& listFormats();

// rename --attributes: "none" (-1, leave them), or normal, R, H, S (also
// readonly, hidden, system) separated by commas, as the boxes' value.
std::optional<int> renameAttributes(const QString& text);
// batch --attributes: what SetFileAttributes sets, "R,H,S" as the
// Readonly, Hidden and System boxes, "none" or "normal" for none of them.
std::optional<int> batchAttributes(const QString& text);
std::optional<Prompter::FailureAnswer> failureAnswer(const QString& text);

// The --sort names: the column names, "natural" and "taken".
const QStringList& sortNames();

} // namespace CliOptions
