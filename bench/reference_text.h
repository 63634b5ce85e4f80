// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The row texts both C scan references write: a date as the list shows it
// under en_US (M/D/YYYY, the time when it is not midnight) and a size with
// thousands separators.
#pragma once

#include <stdio.h>
#include <time.h>

static char* put_date(char* p, time_t t)
{
    struct tm tm;
    localtime_r(&t, &tm);
    p += sprintf(p, "%d/%d/%d", tm.tm_mon + 1, tm.tm_mday, tm.tm_year + 1900);
    if (tm.tm_hour || tm.tm_min || tm.tm_sec)
        p += sprintf(p, " %d:%02d:%02d %s", tm.tm_hour % 12 ? tm.tm_hour % 12 : 12, tm.tm_min,
                     tm.tm_sec, tm.tm_hour < 12 ? "AM" : "PM");
    return p;
}

static char* put_size(char* p, long long v)
{
    char digits[32];
    int n = 0;
    do {
        digits[n++] = (char)('0' + v % 10);
        v /= 10;
    } while (v);
    for (int i = n - 1; i >= 0; --i) {
        *p++ = digits[i];
        if (i > 0 && i % 3 == 0)
            *p++ = ',';
    }
    return p;
}
