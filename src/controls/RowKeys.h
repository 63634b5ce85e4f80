// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// RowKeys: where the arrow, page, Home and End keys move the chosen row of a
// list of rows 0..last that shows `page` whole rows.

namespace RowKeys
{
// The row the key moves to from `row`, kept in 0..last; with no row chosen
// yet, Down chooses `row` itself. -1 for a key that moves nothing.
int target(int key, int row, bool chosen, int page, int last);
} // namespace RowKeys
