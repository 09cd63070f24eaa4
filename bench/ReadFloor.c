/* The I/O floor of a conversion: opens every file of a folder and reads up to 64 KiB of it, the
 * least any converter must do to learn its audio lengths and captions.
 *
 *   brisomel-read-floor FOLDER */

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

int main(int argc, char* argv[]) {
    static char buffer[65536];
    if (argc != 2) {
        fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const int folder = open(argv[1], O_RDONLY | O_DIRECTORY);
    DIR* dir = folder < 0 ? NULL : fdopendir(folder);
    if (dir == NULL) {
        perror(argv[1]);
        return 1;
    }
    long files = 0;
    long long bytes = 0;
    for (const struct dirent* entry; (entry = readdir(dir)) != NULL;) {
        if (entry->d_name[0] == '.') {
            continue;
        }
        const int file = openat(folder, entry->d_name, O_RDONLY);
        if (file >= 0) {
            const ssize_t got = read(file, buffer, sizeof buffer);
            bytes += got > 0 ? got : 0;
            ++files;
            close(file);
        }
    }
    closedir(dir);
    printf("%ld files, %lld bytes\n", files, bytes);
    return 0;
}
