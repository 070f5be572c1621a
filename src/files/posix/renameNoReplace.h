// A rename that never replaces its target, as _wrename never does.
#ifndef QEL_FILES_POSIX_RENAMENOREPLACE_H
#define QEL_FILES_POSIX_RENAMENOREPLACE_H

// 0 when `from` now has the name `to`; -1 with errno set (EEXIST when
// something has that name) otherwise. Names are the paths' system bytes.
int rename_no_replace(const char* from, const char* to);

// The same with POSIX calls alone: race-free for files (a second hard
// link, then the first one removed) and directories (the target name
// taken first as an empty directory, which rename may replace); on a file
// system without hard links it looks before it renames.
int portable_rename_no_replace(const char* from, const char* to);

#endif
