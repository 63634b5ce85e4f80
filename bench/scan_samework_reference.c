// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
/* The machine's limit for the work `quillon-cli list` does, in plain C on one
 * thread: getdents64, one statx and one lgetxattr("user.DOSATTRIB") per
 * entry, the names put in the list's order (each UTF-16 code unit upper-cased
 * on its own and compared as a number, ties broken by the exact units; a byte
 * that is not UTF-8 counts as U+DC80..U+DCFF), and every row formatted as the
 * list writes it: number, both dates, name, the new name its default pattern
 * gives (New_Filename_ and the number padded to as many digits as the file
 * count has, the old extension kept) and grouped size, tab-separated with
 * \ \t \r \n escaped.
 *
 *   bench-scan-samework-reference FOLDER          rows built in memory
 *   bench-scan-samework-reference FOLDER --write  rows written to stdout
 *   ... --threads N   the statx and lgetxattr calls of each getdents64
 *                     buffer split over N threads (the calling one among
 *                     them), each thread taking one contiguous part, as
 *                     Quillon's scan splits them over the cores
 *   ... --uring       the statx calls of each buffer batched through io_uring
 *                     instead (the lgetxattr calls on the calling thread),
 *                     where the program was built with liburing and the
 *                     kernel takes a ring; else as without it
 *
 * Prints "seconds peak-KiB files" (to stderr with --write). */
#define _GNU_SOURCE
#include <fcntl.h>
#include <locale.h>
#include <pthread.h>
#ifdef HAVE_LIBURING
#include <liburing.h>
#endif
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/xattr.h>
#include <time.h>
#include <unistd.h>
#include <wctype.h>

#include "reference_text.h"

struct linux_dirent64 {
    unsigned long long d_ino;
    long long d_off;
    unsigned short d_reclen;
    unsigned char d_type;
    char d_name[];
};

struct file {
    int64_t created, modified, size;
    uint32_t bytesAt, bytesLen; /* the name as read */
    uint32_t unitsAt, unitsLen; /* the name in UTF-16 */
};

struct key {
    uint64_t high, low;
    uint32_t index;
};

static struct file* files;
static char* bytes;
static uint16_t* units;

static uint16_t upper(uint16_t c)
{
    if (c < 0x80)
        return c >= 'a' && c <= 'z' ? (uint16_t)(c - 32) : c;
    if (c >= 0xD800 && c <= 0xDFFF)
        return c;
    const wint_t u = towupper(c);
    return u > 0xFFFF ? c : (uint16_t)u;
}

/* One UTF-8 sequence at s (n bytes left): its length and code point, or 0. */
static int sequence(const unsigned char* s, size_t n, uint32_t* cp)
{
    int len;
    uint32_t c;
    if (s[0] < 0x80) {
        *cp = s[0];
        return 1;
    } else if (s[0] >= 0xC2 && s[0] <= 0xDF) {
        len = 2, c = s[0] & 0x1F;
    } else if (s[0] >= 0xE0 && s[0] <= 0xEF) {
        len = 3, c = s[0] & 0x0F;
    } else if (s[0] >= 0xF0 && s[0] <= 0xF4) {
        len = 4, c = s[0] & 0x07;
    } else {
        return 0;
    }
    if ((size_t)len > n)
        return 0;
    for (int i = 1; i < len; ++i) {
        if ((s[i] & 0xC0) != 0x80)
            return 0;
        c = c << 6 | (s[i] & 0x3F);
    }
    if ((len == 3 && (c < 0x800 || (c >= 0xD800 && c <= 0xDFFF))) ||
        (len == 4 && (c < 0x10000 || c > 0x10FFFF)))
        return 0;
    *cp = c;
    return len;
}

static uint32_t decode(const char* name, size_t n, uint16_t* out)
{
    const unsigned char* s = (const unsigned char*)name;
    uint32_t k = 0;
    for (size_t i = 0; i < n;) {
        uint32_t cp;
        const int len = sequence(s + i, n - i, &cp);
        if (len == 0) {
            out[k++] = (uint16_t)(0xDC00 | s[i++]);
            continue;
        }
        if (cp >= 0x10000) {
            out[k++] = (uint16_t)(0xD800 + ((cp - 0x10000) >> 10));
            out[k++] = (uint16_t)(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            out[k++] = (uint16_t)cp;
        }
        i += (size_t)len;
    }
    return k;
}

static int compareNames(uint32_t a, uint32_t b)
{
    const uint16_t* x = units + files[a].unitsAt;
    const uint16_t* y = units + files[b].unitsAt;
    const uint32_t nx = files[a].unitsLen, ny = files[b].unitsLen;
    const uint32_t n = nx < ny ? nx : ny;
    for (uint32_t i = 0; i < n; ++i) {
        const uint16_t ux = upper(x[i]), uy = upper(y[i]);
        if (ux != uy)
            return ux < uy ? -1 : 1;
    }
    if (nx != ny)
        return nx < ny ? -1 : 1;
    for (uint32_t i = 0; i < n; ++i)
        if (x[i] != y[i])
            return x[i] < y[i] ? -1 : 1;
    return 0;
}

static int compareKeys(const void* pa, const void* pb)
{
    const struct key* a = pa;
    const struct key* b = pb;
    if (a->high != b->high)
        return a->high < b->high ? -1 : 1;
    if (a->low != b->low)
        return a->low < b->low ? -1 : 1;
    return compareNames(a->index, b->index);
}

static char* putEscaped(char* p, const char* s, size_t n)
{
    for (size_t i = 0; i < n; ++i) {
        switch (s[i]) {
        case '\\':
            *p++ = '\\', *p++ = '\\';
            break;
        case '\t':
            *p++ = '\\', *p++ = 't';
            break;
        case '\r':
            *p++ = '\\', *p++ = 'r';
            break;
        case '\n':
            *p++ = '\\', *p++ = 'n';
            break;
        default:
            *p++ = s[i];
        }
    }
    return p;
}

/* A stored creation time (NT time in user.DOSATTRIB, version 3 or 4 as the
 * program writes it) read the simple way: the last 8 bytes, when present. */
static int64_t storedCreation(const char* v, ssize_t n, int64_t fallback)
{
    if (n < 16)
        return fallback;
    uint64_t nt;
    memcpy(&nt, v + n - 8, 8);
    return nt ? (int64_t)(nt / 10000000u) - 11644473600LL : fallback;
}

/* What the statx and lgetxattr of one entry tell. */
struct looked {
    const char* name;
    int ok; /* a file (statx worked, not a folder) */
    int64_t created, modified, size;
};

struct part {
    const char* folder;
    size_t folderLen;
    int dir;
    struct looked* from;
    struct looked* to;
};

static void* lookAt(void* arg)
{
    const struct part* p = arg;
    char path[8192], attr[256];
    memcpy(path, p->folder, p->folderLen);
    path[p->folderLen] = '/';
    for (struct looked* e = p->from; e < p->to; ++e) {
        struct statx sx;
        e->ok =
            statx(p->dir, e->name, AT_SYMLINK_NOFOLLOW,
                  STATX_TYPE | STATX_MODE | STATX_SIZE | STATX_MTIME | STATX_BTIME | STATX_NLINK,
                  &sx) == 0 &&
            !S_ISDIR(sx.stx_mode);
        if (!e->ok)
            continue;
        const size_t len = strlen(e->name);
        memcpy(path + p->folderLen + 1, e->name, len + 1);
        const ssize_t an = lgetxattr(path, "user.DOSATTRIB", attr, sizeof attr);
        e->modified = sx.stx_mtime.tv_sec;
        e->created = storedCreation(
            attr, an, (sx.stx_mask & STATX_BTIME) ? sx.stx_btime.tv_sec : sx.stx_mtime.tv_sec);
        e->size = (int64_t)sx.stx_size;
    }
    return NULL;
}

/* The entries of one buffer looked at by nThreads threads, the calling one
 * taking the first part; fewer threads for a buffer of few entries. */
static void lookAtAll(const char* folder, int dir, struct looked* e, size_t n, int nThreads)
{
    enum { MinPerPart = 256, MaxThreads = 256 };
    size_t parts = n / MinPerPart;
    if (parts > (size_t)nThreads)
        parts = (size_t)nThreads;
    if (parts < 1)
        parts = 1;
    struct part p[MaxThreads];
    pthread_t threads[MaxThreads];
    const size_t step = n / parts;
    for (size_t k = 0; k < parts; ++k)
        p[k] = (struct part){folder, strlen(folder), dir, e + k * step,
                             k + 1 == parts ? e + n : e + (k + 1) * step};
    size_t started = 1;
    for (; started < parts; ++started)
        if (pthread_create(&threads[started], NULL, lookAt, &p[started]) != 0)
            break;
    lookAt(&p[0]);
    for (size_t k = started; k < parts; ++k) /* a thread that could not start */
        lookAt(&p[k]);
    for (size_t k = 1; k < started; ++k)
        pthread_join(threads[k], NULL);
}

#ifdef HAVE_LIBURING
/* The statx calls of the buffer through the ring, as many in flight as it
 * takes; then the lgetxattr calls one by one. */
static void lookAtByRing(struct io_uring* ring, const char* folder, int dir, struct looked* e,
                         size_t n)
{
    static struct statx sx[256 * 1024 / 24];
    size_t sent = 0, got = 0;
    while (got < n) {
        for (struct io_uring_sqe* sqe; sent < n && (sqe = io_uring_get_sqe(ring)); ++sent) {
            io_uring_prep_statx(sqe, dir, e[sent].name, AT_SYMLINK_NOFOLLOW,
                                STATX_TYPE | STATX_MODE | STATX_SIZE | STATX_MTIME | STATX_BTIME |
                                    STATX_NLINK,
                                &sx[sent]);
            io_uring_sqe_set_data64(sqe, sent);
        }
        io_uring_submit_and_wait(ring, 1);
        struct io_uring_cqe* cqe;
        unsigned head, seen = 0;
        io_uring_for_each_cqe(ring, head, cqe)
        {
            const size_t i = (size_t)io_uring_cqe_get_data64(cqe);
            e[i].ok = cqe->res == 0 && !S_ISDIR(sx[i].stx_mode);
            ++seen;
        }
        io_uring_cq_advance(ring, seen);
        got += seen;
    }
    const size_t folderLen = strlen(folder);
    char path[8192], attr[256];
    memcpy(path, folder, folderLen);
    path[folderLen] = '/';
    for (size_t i = 0; i < n; ++i) {
        if (!e[i].ok)
            continue;
        const size_t len = strlen(e[i].name);
        memcpy(path + folderLen + 1, e[i].name, len + 1);
        const ssize_t an = lgetxattr(path, "user.DOSATTRIB", attr, sizeof attr);
        e[i].modified = sx[i].stx_mtime.tv_sec;
        e[i].created = storedCreation(attr, an,
                                      (sx[i].stx_mask & STATX_BTIME) ? sx[i].stx_btime.tv_sec
                                                                     : sx[i].stx_mtime.tv_sec);
        e[i].size = (int64_t)sx[i].stx_size;
    }
}
#endif

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    int write = 0, nThreads = 1, uring = 0;
    for (int i = 2; i < argc; ++i) {
        if (strcmp(argv[i], "--write") == 0)
            write = 1;
        else if (strcmp(argv[i], "--uring") == 0)
            uring = 1;
        else if (strcmp(argv[i], "--threads") == 0 && i + 1 < argc)
            nThreads = atoi(argv[++i]);
        else
            return 2;
    }
    if (nThreads < 1 || nThreads > 256)
        return 2;
    if (!setlocale(LC_CTYPE, ""))
        setlocale(LC_CTYPE, "C.UTF-8"); /* towupper beyond ASCII */
    struct timespec t0, t1;
    clock_gettime(CLOCK_MONOTONIC, &t0);
    const int dir = open(argv[1], O_RDONLY | O_DIRECTORY);
    if (dir < 0) {
        perror(argv[1]);
        return 1;
    }
    size_t capFiles = 1u << 16, capBytes = 1u << 20, capUnits = 1u << 20;
    size_t nFiles = 0, nBytes = 0, nUnits = 0;
    files = malloc(capFiles * sizeof *files);
    bytes = malloc(capBytes);
    units = malloc(capUnits * sizeof *units);
#ifdef HAVE_LIBURING
    struct io_uring ring;
    if (uring && io_uring_queue_init(1024, &ring, 0) != 0) {
        fprintf(stderr, "io_uring refused by the kernel: plain statx calls\n");
        uring = 0;
    }
#else
    if (uring)
        fprintf(stderr, "built without liburing: plain statx calls\n");
    uring = 0;
#endif
    char buf[256 * 1024];
    struct looked* looked = malloc(sizeof buf / 24 * sizeof *looked);
    for (;;) {
        const long n = syscall(SYS_getdents64, dir, buf, sizeof buf);
        if (n <= 0)
            break;
        size_t count = 0;
        for (long off = 0; off < n;) {
            struct linux_dirent64* d = (struct linux_dirent64*)(buf + off);
            off += d->d_reclen;
            if (d->d_name[0] == '.' && (!d->d_name[1] || (d->d_name[1] == '.' && !d->d_name[2])))
                continue;
            looked[count++].name = d->d_name;
        }
#ifdef HAVE_LIBURING
        if (uring)
            lookAtByRing(&ring, argv[1], dir, looked, count);
        else
#endif
            lookAtAll(argv[1], dir, looked, count, nThreads);
        for (size_t i = 0; i < count; ++i) {
            const struct looked* e = &looked[i];
            if (!e->ok)
                continue;
            const size_t len = strlen(e->name);
            if (nFiles == capFiles)
                files = realloc(files, (capFiles *= 2) * sizeof *files);
            if (nBytes + len > capBytes)
                bytes = realloc(bytes, capBytes *= 2);
            if (nUnits + len > capUnits)
                units = realloc(units, (capUnits *= 2) * sizeof *units);
            struct file* f = &files[nFiles++];
            f->modified = e->modified;
            f->created = e->created;
            f->size = e->size;
            f->bytesAt = (uint32_t)nBytes, f->bytesLen = (uint32_t)len;
            memcpy(bytes + nBytes, e->name, len);
            nBytes += len;
            f->unitsAt = (uint32_t)nUnits;
            f->unitsLen = decode(e->name, len, units + nUnits);
            nUnits += f->unitsLen;
        }
    }
    free(looked);
    close(dir);

    /* The order: the units every name shares skipped, the next eight
     * upper-cased units as a key, full names compared only on equal keys. */
    uint32_t shared = nFiles ? files[0].unitsLen : 0;
    for (size_t i = 1; i < nFiles && shared; ++i) {
        const uint16_t* a = units + files[0].unitsAt;
        const uint16_t* b = units + files[i].unitsAt;
        uint32_t k = 0;
        const uint32_t limit = shared < files[i].unitsLen ? shared : files[i].unitsLen;
        while (k < limit && upper(a[k]) == upper(b[k]))
            ++k;
        shared = k;
    }
    struct key* keys = malloc((nFiles ? nFiles : 1) * sizeof *keys);
    for (size_t i = 0; i < nFiles; ++i) {
        uint64_t u[8] = {0};
        const uint16_t* s = units + files[i].unitsAt + shared;
        const uint32_t n = files[i].unitsLen - shared;
        for (uint32_t k = 0; k < 8 && k < n; ++k)
            u[k] = upper(s[k]);
        keys[i].high = u[0] << 48 | u[1] << 32 | u[2] << 16 | u[3];
        keys[i].low = u[4] << 48 | u[5] << 32 | u[6] << 16 | u[7];
        keys[i].index = (uint32_t)i;
    }
    qsort(keys, nFiles, sizeof *keys, compareKeys);

    int digits = 1;
    for (size_t limit = 9; digits < 7 && nFiles - 1 >= limit && nFiles; limit = limit * 10 + 9)
        ++digits;
    size_t cap = nFiles * 128 + 4096, used = 0;
    char* rows = malloc(cap);
    used = (size_t)sprintf(rows, "No.\tCreation Dates\tModified Dates\tCurrent Filenames\t"
                                 "New Filenames\tSize\n");
    for (size_t k = 0; k < nFiles; ++k) {
        const struct file* f = &files[keys[k].index];
        if (used + 2 * f->bytesLen + 128 > cap)
            rows = realloc(rows, cap *= 2);
        char* p = rows + used;
        p += sprintf(p, "%zu\t", k + 1);
        p = put_date(p, (time_t)f->created);
        *p++ = '\t';
        p = put_date(p, (time_t)f->modified);
        *p++ = '\t';
        const char* name = bytes + f->bytesAt;
        p = putEscaped(p, name, f->bytesLen);
        *p++ = '\t';
        p += sprintf(p, "New_Filename_%0*zu", digits, k + 1);
        const char* dot = memrchr(name, '.', f->bytesLen);
        if (dot)
            p = putEscaped(p, dot, f->bytesLen - (size_t)(dot - name));
        *p++ = '\t';
        p = put_size(p, (long long)f->size);
        *p++ = '\n';
        used = (size_t)(p - rows);
    }
    if (write)
        fwrite(rows, 1, used, stdout);
    clock_gettime(CLOCK_MONOTONIC, &t1);
    struct rusage ru;
    getrusage(RUSAGE_SELF, &ru);
    fprintf(write ? stderr : stdout, "%.3f %ld %zu\n",
            (double)(t1.tv_sec - t0.tv_sec) + (t1.tv_nsec - t0.tv_nsec) / 1e9, ru.ru_maxrss,
            nFiles);
    return 0;
}
