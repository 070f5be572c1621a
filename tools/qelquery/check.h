/* qelquery check: a conformance run of the technology programs in an
 * exchange directory. */
#ifndef QELQUERY_CHECK_H
#define QELQUERY_CHECK_H

/* Asks each program of `study` the check's requests through the library and
 * prints one line per check and a summary on standard output; 0 when every
 * check passed, 1 otherwise. */
int qq_check(const char* study);

#endif
