// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
/* Creates COUNT empty files named PREFIX000000.. in FOLDER, fast. */
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc < 4) {
        fprintf(stderr, "usage: %s FOLDER COUNT PREFIX [SUFFIX]\n", argv[0]);
        return 2;
    }
    const char* suffix = argc > 4 ? argv[4] : ".txt";
    if (chdir(argv[1]) != 0) {
        perror(argv[1]);
        return 1;
    }
    const long count = atol(argv[2]);
    char name[512];
    for (long i = 0; i < count; ++i) {
        snprintf(name, sizeof name, "%s%06ld%s", argv[3], i, suffix);
        const int fd = open(name, O_WRONLY | O_CREAT | O_EXCL, 0644);
        if (fd < 0) {
            perror(name);
            return 1;
        }
        close(fd);
    }
    return 0;
}
