// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/Preset.h"

class Session;

// A preset and the window's session: the inputs the window shows, saved as
// a preset, and a preset set into them in the order quillon-cli applies its
// options (template and expression, swaps, pattern, extension, replace pair,
// filter, scan, sort, padding, new names), so both front ends make the same
// names from it.
namespace SessionPreset
{

// The session's naming inputs, the template, expression and swaps
// included; the sort is the column sorted last, if any.
Preset current(const Session& session);
// Sets every naming input (a key the preset leaves out takes its default),
// lists the folder again and makes the new names. Returns why it could not,
// or "".
QString apply(const Preset& preset, Session& session);

} // namespace SessionPreset
