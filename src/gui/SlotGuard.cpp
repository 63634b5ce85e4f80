// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SlotGuard.h"

#include "output/DiskErrors.h"
#include "platform/FileErrors.h"
#include "platform/Prompter.h"

#include <new>
#include <stdexcept>
#include <system_error>

namespace
{

int codeOf(const std::exception& e)
{
    if (dynamic_cast<const std::bad_alloc*>(&e) || dynamic_cast<const std::length_error*>(&e))
        return FileErrors::OutOfMemory;
    if (const auto* failed = dynamic_cast<const std::system_error*>(&e)) {
        const std::error_code& code = failed->code();
        const bool isErrno =
            code.category() == std::generic_category() || code.category() == std::system_category();
        if (const int mapped =
                isErrno ? FileErrors::fromErrno(code.value(), FileErrors::Operation::Other) : 0)
            return mapped;
    }
    return FileErrors::DeviceIO;
}

} // namespace

bool SlotGuard::run(Prompter& prompter, const std::function<void()>& work)
{
    int code = FileErrors::None;
    try {
        work();
    } catch (const std::exception& e) {
        code = codeOf(e);
    } catch (...) {
        code = FileErrors::DeviceIO;
    }
    if (code == FileErrors::None)
        return true;
    // Outside the catch: the message box runs an event loop, and the
    // exception's memory is given back first.
    prompter.message(DiskErrors::text(code));
    return false;
}
