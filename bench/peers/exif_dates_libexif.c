/* Peer for the scan benchmark: prints DateTimeOriginal of every *.jpg under a
 * folder (any letter case), read with libexif. */
#define _XOPEN_SOURCE 700
#include <ftw.h>
#include <stdio.h>
#include <string.h>
#include <strings.h>

#include <libexif/exif-data.h>

static long files;
static long dated;

static int visit(const char* path, const struct stat* info, int type, struct FTW* where) {
    (void)info;
    (void)where;
    if (type != FTW_F) return 0;
    size_t length = strlen(path);
    if (length < 4 || strcasecmp(path + length - 4, ".jpg") != 0) return 0;
    ++files;
    ExifData* data = exif_data_new_from_file(path);
    if (data == NULL) return 0;
    ExifEntry* entry = exif_content_get_entry(data->ifd[EXIF_IFD_EXIF], EXIF_TAG_DATE_TIME_ORIGINAL);
    if (entry != NULL) {
        char value[64];
        exif_entry_get_value(entry, value, sizeof value);
        printf("%s\t%s\n", path, value);
        ++dated;
    }
    exif_data_unref(data);
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
    fprintf(stderr, "%ld files, %ld dated\n", files, dated);
    return 0;
}
