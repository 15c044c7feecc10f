/* The floor of the scan benchmark: walks the folder tree and, for every *.jpg
 * (any letter case), opens the file, reads its first 64 KiB and closes it. No
 * parsing: no scan of the same files can be much faster than this. */
#define _XOPEN_SOURCE 700
#include <fcntl.h>
#include <ftw.h>
#include <stdio.h>
#include <string.h>
#include <strings.h>
#include <unistd.h>

static long files;
static unsigned long long bytes;
static unsigned char buffer[65536];

static int visit(const char* path, const struct stat* info, int type, struct FTW* where) {
    (void)info;
    (void)where;
    if (type != FTW_F) return 0;
    size_t length = strlen(path);
    if (length < 4 || strcasecmp(path + length - 4, ".jpg") != 0) return 0;
    int fd = open(path, O_RDONLY);
    if (fd < 0) return 0;
    ssize_t got = read(fd, buffer, sizeof buffer);
    if (got > 0) bytes += (unsigned long long)got;
    close(fd);
    ++files;
    return 0;
}

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: %s DIR\n", argv[0]);
        return 2;
    }
    if (nftw(argv[1], visit, 32, FTW_PHYS) != 0) {
        perror(argv[1]);
        return 1;
    }
    printf("%ld files, %llu bytes\n", files, bytes);
    return 0;
}
