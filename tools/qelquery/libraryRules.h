/* What qelquery asks of the library's internals rather than its exports.
 *
 * A query always goes through the shared library's C interface, as any
 * host's does. Explaining why an answer was refused, though, needs the
 * loader's error code and position and the answer rule that was broken,
 * which the interface does not tell; reimplementing them would let the
 * explanation disagree with the status. So these functions, and only they,
 * are linked against the library's static archive and read the files with
 * the very loader, answer rules and code page conversion the library uses.
 * Paths are UTF-8. */
#ifndef QELQUERY_LIBRARYRULES_H
#define QELQUERY_LIBRARYRULES_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Why the answer file `path` is refused: one line into `reason`, and the
 * offending line of the file with a mark under the position (or nothing)
 * into `context`. 0 when the file reads as a valid answer now (it was then
 * written after the query had ended). */
int qq_explain_answer(const char* path, char* reason, size_t reason_size, char* context,
                      size_t context_size);

/* The first character of the UTF-8 `text` that a non-ASCII request file
 * (code page 1252) cannot carry unchanged; 0 when there is none. */
unsigned long qq_unsendable_character(const char* text);

/* Whether the request file `path` loads and holds the root element `root`
 * with `count` parameter elements, among them each name/value pair of
 * `pairs` (name, value, ..., NULL). Otherwise 0 and one line into `why`. */
int qq_request_matches(const char* path, const char* root, int count, const char* const* pairs,
                       char* why, size_t why_size);

#ifdef __cplusplus
}
#endif

#endif
