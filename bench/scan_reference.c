// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
/* The machine's limit for a folder scan: getdents64, one statx per entry, and
 * both dates and the grouped size formatted into one buffer, as the list
 * shows them. Prints seconds and peak memory (KiB). */
#define _GNU_SOURCE
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

#include "reference_text.h"

struct linux_dirent64 {
    unsigned long long d_ino;
    long long d_off;
    unsigned short d_reclen;
    unsigned char d_type;
    char d_name[];
};

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    struct timespec t0, t1;
    clock_gettime(CLOCK_MONOTONIC, &t0);
    const int dir = open(argv[1], O_RDONLY | O_DIRECTORY);
    if (dir < 0) {
        perror(argv[1]);
        return 1;
    }
    size_t cap = 1000001u * 64u, used = 0;
    char* rows = malloc(cap);
    char buf[1 << 16];
    long files = 0;
    for (;;) {
        const long n = syscall(SYS_getdents64, dir, buf, sizeof buf);
        if (n <= 0)
            break;
        for (long off = 0; off < n;) {
            struct linux_dirent64* d = (struct linux_dirent64*)(buf + off);
            off += d->d_reclen;
            if (d->d_name[0] == '.' && (!d->d_name[1] || (d->d_name[1] == '.' && !d->d_name[2])))
                continue;
            struct statx sx;
            if (statx(dir, d->d_name, 0, STATX_BASIC_STATS | STATX_BTIME, &sx) != 0 ||
                S_ISDIR(sx.stx_mode))
                continue;
            if (used + 512 > cap) {
                cap *= 2;
                rows = realloc(rows, cap);
            }
            char* p = rows + used;
            p = put_date(p, sx.stx_btime.tv_sec);
            *p++ = '|';
            p = put_date(p, sx.stx_mtime.tv_sec);
            *p++ = '|';
            const size_t len = strlen(d->d_name);
            memcpy(p, d->d_name, len);
            p += len;
            *p++ = '|';
            *p++ = '|';
            p = put_size(p, (long long)sx.stx_size);
            *p++ = '\n';
            used = (size_t)(p - rows);
            ++files;
        }
    }
    clock_gettime(CLOCK_MONOTONIC, &t1);
    struct rusage ru;
    getrusage(RUSAGE_SELF, &ru);
    printf("%.3f %ld %ld\n", (double)(t1.tv_sec - t0.tv_sec) + (t1.tv_nsec - t0.tv_nsec) / 1e9,
           ru.ru_maxrss, files);
    free(rows);
    return 0;
}
