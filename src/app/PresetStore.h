// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/Preset.h"

#include <QString>
#include <QStringList>

// The saved presets: one file per preset, NAME.ini in
// $XDG_CONFIG_HOME/quillon/presets/ (else ~/.config/quillon/presets/),
// read by the window and quillon-cli alike. A preset is written whole or
// not at all (DurableFile), so a crash leaves the old one or the new one.
// Each function returns the fault in words, "" when it worked; a fault of a
// file names the file and the line.
namespace PresetStore
{

QString folder(); // ends in "/"
QString filePath(const QString& name);
// A name a preset can have: a file name without "/", not starting with ".".
QString nameFault(const QString& name);
// The names of the saved presets, sorted.
QStringList names();
bool exists(const QString& name);
QString load(const QString& name, Preset& preset);
// Writes the preset; one of that name is replaced only when replace is set.
QString save(const QString& name, const Preset& preset, bool replace);
QString remove(const QString& name);
// Gives a preset another name, never over one that exists.
QString rename(const QString& from, const QString& to);

} // namespace PresetStore
