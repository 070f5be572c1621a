/* What a failed query amounts to, told from what a host can observe: the
 * status, how long the query took, and the exchange directory and its files
 * afterwards. Used by the queries and by `check`. */
#ifndef QELQUERY_QUERYFAILURE_H
#define QELQUERY_QUERYFAILURE_H

#include <stddef.h>

#include "questions.h"

/* The library waits this long for a program; a failed query that took at
 * least this long ended by the limit. */
#define QQ_TIME_LIMIT_SECONDS 60.0

/* `directory` and `name` joined by '/' into `out`. */
void qq_join(char* out, size_t size, const char* directory, const char* name);

/* Why the query of `question` in `study` failed with `status` after
 * `seconds`: one line with what to do into `reason`, and further lines (the
 * offending line of an answer) into `context`. */
void qq_explain_failure(const struct qq_question* question, const char* study, int status,
                        double seconds, char* reason, size_t reason_size, char* context,
                        size_t context_size);

/* Whether a status-4 failure after `seconds` was the time limit. */
int qq_ran_past_limit(double seconds);

#endif
