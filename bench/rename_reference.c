// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
/* The rename pass with nothing else: renameat2(RENAME_NOREPLACE) from
 * FOLDER/fNNNNNN.txt to FOLDER/New_Filename_MMMMMM.txt (M = N + 1) for N from
 * 0 to COUNT - 1, with full paths as Quillon's pass uses them; with "back"
 * as a third argument the other way round, as the undo of that pass. Prints
 * the seconds taken. */
#define _GNU_SOURCE
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

int main(int argc, char** argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: %s FOLDER COUNT\n", argv[0]);
        return 2;
    }
    const long count = atol(argv[2]);
    char from[4096], to[4096];
    struct timespec t0, t1;
    clock_gettime(CLOCK_MONOTONIC, &t0);
    for (long i = 0; i < count; ++i) {
        snprintf(from, sizeof from, "%s/f%06ld.txt", argv[1], i);
        snprintf(to, sizeof to, "%s/New_Filename_%06ld.txt", argv[1], i + 1);
        const int back = argc > 3 && strcmp(argv[3], "back") == 0;
        if (renameat2(AT_FDCWD, back ? to : from, AT_FDCWD, back ? from : to, RENAME_NOREPLACE) !=
            0) {
            perror(from);
            return 1;
        }
    }
    clock_gettime(CLOCK_MONOTONIC, &t1);
    printf("%.3f\n", (double)(t1.tv_sec - t0.tv_sec) + (double)(t1.tv_nsec - t0.tv_nsec) / 1e9);
    return 0;
}
