/* What qelquery asks the operating system to explain a failed query: a
 * clock, what a path names, whether a file can be started, whether a
 * directory takes new files. Paths are UTF-8; each platform's file
 * implements them. */
#ifndef QELQUERY_SYSTEM_H
#define QELQUERY_SYSTEM_H

#include <stdio.h>

/* Seconds on a clock that never goes back. */
double qq_seconds(void);

enum qq_kind { QQ_FILE, QQ_DIRECTORY, QQ_NOTHING, QQ_OTHER };

/* What `path` names; QQ_OTHER for devices, sockets and the like. */
enum qq_kind qq_file_kind(const char* path);

/* Whether the regular file `path` can be started as a program: it has
 * execute permission (POSIX), it is an executable image (Windows). */
int qq_is_executable(const char* path);

/* Whether a new file can be made in the directory: one is made and removed
 * again, which also answers for read-only media and access rules. */
int qq_directory_takes_files(const char* path);

/* The file opened for reading bytes; NULL when it cannot be. */
FILE* qq_open_read(const char* path);

#endif
