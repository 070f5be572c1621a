/* qelquery check (see check.h). Each request goes through the library's C
 * interface as a host's would; then the answer, the run time and the
 * request file left behind are each judged by one check line. */
#include "check.h"

#include <stdio.h>
#include <string.h>

#include "libraryRules.h"
#include "qelquerySystem.h"
#include "qellink.h"
#include "queryFailure.h"
#include "questions.h"

/* One request of the check: what it exercises and what it sends. A kind's
 * text arguments take the texts in order, its number arguments the numbers,
 * which the request file must then hold as `written`; "" and 0 past the
 * end. */
struct check_case {
    const char* title;
    const char* machine;
    const char* texts[2];
    double numbers[4];
    const char* written[4];
    int numbers_only; /* only for kinds that take numbers */
};

static const struct check_case cases[] = {
    {"plain ASCII", "M1", {"1.2379", "Copper"}, {12.5, 50, 18, 120},
     {"12.500000", "0.500000", "18.000000", "0.120000"}, 0},
    {"code page 1252", "Fr\xC3\xA4se 2", {"Stahl 1.2379 geh\xC3\xA4rtet", "Graphit \xE2\x82\xAC fein"},
     {12.5, 50, 18, 120}, {"12.500000", "0.500000", "18.000000", "0.120000"}, 0},
    {"markup characters", "A&B <2>", {"1.2379 <hard> & \"tough\"", "Cu & W 'fine'"}, {12.5, 50, 18, 120},
     {"12.500000", "0.500000", "18.000000", "0.120000"}, 0},
    {"empty parameters", "", {"", ""}, {0, 0, 0, 0}, {"0.000000", "0.000000", "0.000000", "0.000000"}, 0},
    {"undersize numbers", "M1", {"1.2379", "Copper"}, {0.0000004, 100, 45, 1234.5678},
     {"0.000000", "1.000000", "45.000000", "1.234568"}, 1},
};

#define CASE_TEXTS (int)(sizeof cases[0].texts / sizeof cases[0].texts[0])
#define CASE_NUMBERS (int)(sizeof cases[0].numbers / sizeof cases[0].numbers[0])

/* What case `c` sends for each argument of `kind`: the value and the text
 * the request file holds for it. */
struct case_arguments {
    const char* texts[QQ_MAX_ARGUMENTS];
    double numbers[QQ_MAX_ARGUMENTS];
    const char* written[QQ_MAX_ARGUMENTS];
};

static void arguments_of(const struct qq_asking* kind, const struct check_case* c,
                         struct case_arguments* out)
{
    int t = 0, n = 0;
    for (int a = 0; a < kind->argument_count; ++a) {
        out->texts[a] = "";
        out->numbers[a] = 0;
        out->written[a] = "0.000000";
        if (kind->arguments[a].number) {
            if (n < CASE_NUMBERS) {
                out->numbers[a] = c->numbers[n];
                out->written[a] = c->written[n];
            }
            ++n;
        } else {
            if (t < CASE_TEXTS)
                out->texts[a] = c->texts[t];
            out->written[a] = out->texts[a];
            ++t;
        }
    }
}

static int takes_numbers(const struct qq_asking* kind)
{
    for (int a = 0; a < kind->argument_count; ++a)
        if (kind->arguments[a].number)
            return 1;
    return 0;
}

struct tally {
    int passed;
    int failed;
    int requests;
};

static void report(struct tally* tally, int passed, const char* program, const char* title,
                   const char* what, const char* detail)
{
    printf("%s  %s  %s: %s: %s\n", passed ? "PASS" : "FAIL", program, title, what, detail);
    if (passed)
        ++tally->passed;
    else
        ++tally->failed;
}

static int count_values(const char* answer)
{
    int values = answer[0] != '\0';
    for (const char* p = answer; *p; ++p)
        values += *p == '\n';
    return values;
}

/* The request file as the library wrote it for `c`. */
static void check_request(struct tally* tally, const char* study, const struct qq_question* question,
                          const struct check_case* c, const struct case_arguments* arguments)
{
    const char* pairs[2 * (2 + QQ_MAX_ARGUMENTS) + 1];
    char path[4096], file[256], why[1024];
    int n = 0;
    pairs[n++] = "ImportStudyPath";
    pairs[n++] = study;
    pairs[n++] = "MachineName";
    pairs[n++] = c->machine;
    for (int a = 0; a < question->asking->argument_count; ++a) {
        pairs[n++] = question->asking->arguments[a].parameter;
        pairs[n++] = arguments->written[a];
    }
    pairs[n] = NULL;
    snprintf(file, sizeof file, "R_%s.xml", question->request_name);
    qq_join(path, sizeof path, study, file);
    if (qq_request_matches(path, question->root, question->parameters, pairs, why, sizeof why))
        report(tally, 1, question->program, c->title, "request", "left as the library wrote it");
    else
        report(tally, 0, question->program, c->title, "request",
               why[0] ? why : "the request file was changed; a program reads it and leaves it");
}

/* Runs the cases of one program; answers whether it wrote any answer file
 * at all when started as the library starts it. */
static void check_program(struct tally* tally, const char* study, const struct qq_question* question)
{
    char path[4096], detail[2048], context[1024];
    int answered = 0, ran = 0;
    qq_join(path, sizeof path, study, question->program);
    if (qq_file_kind(path) != QQ_FILE) {
        snprintf(detail, sizeof detail, "not found in %s as a regular file", study);
        report(tally, 0, question->program, "program", "present", detail);
        return;
    }
    for (size_t k = 0; k < sizeof cases / sizeof cases[0]; ++k) {
        const struct check_case* c = &cases[k];
        struct case_arguments arguments;
        int status = -1, set_status = 0;
        if (c->numbers_only && !takes_numbers(question->asking))
            continue;
        arguments_of(question->asking, c, &arguments);
        const struct qq_values values = {arguments.texts, arguments.numbers};
        set_parameter_value("MachineName", c->machine, &set_status);
        double began = qq_seconds();
        const char* answer = question->asking->ask(&values, &status);
        double seconds = qq_seconds() - began;
        ++tally->requests;
        ++ran;
        if (status == 0) {
            snprintf(detail, sizeof detail, "a valid answer with %d value%s", count_values(answer),
                     count_values(answer) == 1 ? "" : "s");
            report(tally, 1, question->program, c->title, "answer", detail);
        } else {
            qq_explain_failure(question, study, status, seconds, detail, sizeof detail, context,
                               sizeof context);
            report(tally, 0, question->program, c->title, "answer", detail);
        }
        answered |= status == 0 || status == 6;
        delete_string((void*)answer);
        int overran = status == 4 && qq_ran_past_limit(seconds);
        snprintf(detail, sizeof detail, overran ? "still running after %.1f s (limit 60 s)" : "%.2f s (limit 60 s)",
                 seconds);
        report(tally, !overran, question->program, c->title, "time", detail);
        if (status == 4 && !overran)
            return; /* it cannot start; the answer line said why */
        check_request(tally, study, question, c, &arguments);
        if (overran) {
            printf("SKIP  %s  remaining requests: each would wait the full 60 s again\n", question->program);
            return;
        }
    }
    if (ran > 0) {
        snprintf(detail, sizeof detail,
                 answered ? "answers when started with none, from the host's current directory"
                          : "wrote no answer when started with none, from the host's current "
                            "directory; find the exchange directory from the program's own path");
        report(tally, answered, question->program, "start", "no arguments", detail);
    }
}

int qq_check(const char* study)
{
    struct tally tally = {0, 0, 0};
    int status = 0;
    set_parameter_value("ImportStudyPath", study, &status);
    if (status != 0) {
        fprintf(stderr, "qelquery: the exchange directory is not valid UTF-8 text (status %d)\n", status);
        return 2;
    }
    printf("Checking the technology programs in %s\n", study);
    for (int i = 0; i < QQ_QUESTION_COUNT; ++i)
        check_program(&tally, study, &qq_questions[i]);
    printf("%d requests, %d checks: %d passed, %d failed\n", tally.requests, tally.passed + tally.failed,
           tally.passed, tally.failed);
    if (tally.failed == 0)
        printf("All checks passed.\n");
    else
        printf("Not conforming: see each FAIL above; docs/exchange-protocol.md gives the rules.\n");
    return tally.failed == 0 ? 0 : 1;
}
