/* POSIX: clock_gettime, stat, access and open. */
#define _POSIX_C_SOURCE 200809L
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include "qelquerySystem.h"

double qq_seconds(void)
{
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (double)now.tv_sec + (double)now.tv_nsec / 1e9;
}

enum qq_kind qq_file_kind(const char* path)
{
    struct stat info;
    if (stat(path, &info) != 0)
        return QQ_NOTHING;
    if (S_ISREG(info.st_mode))
        return QQ_FILE;
    if (S_ISDIR(info.st_mode))
        return QQ_DIRECTORY;
    return QQ_OTHER;
}

int qq_is_executable(const char* path)
{
    return access(path, X_OK) == 0;
}

int qq_directory_takes_files(const char* path)
{
    char probe[4096];
    if (snprintf(probe, sizeof probe, "%s/.qelquery-probe-%ld", path, (long)getpid()) >= (int)sizeof probe)
        return 0;
    int fd = open(probe, O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0)
        return 0;
    close(fd);
    unlink(probe);
    return 1;
}

FILE* qq_open_read(const char* path)
{
    return fopen(path, "rb");
}
