// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Screen readers reach the self-drawn controls (button, scroll bar, file
// list, date picker, folder browser) through the interfaces next to each
// control; Qt asks this factory for them as an assistive technology walks the
// window. Every control registers it when it is made, so any program or test
// that makes one gets the interfaces.
class ControlsAccessibility
{
public:
    // Registers the factory; once per process, later calls do nothing.
    static void install();
};
