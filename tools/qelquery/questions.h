/* The questions qelquery asks, one per request kind of the library's kind
 * table (requestKindTable.h): the names come from the table's row, the
 * command line and the call from the kind's entry in questions.c. */
#ifndef QELQUERY_QUESTIONS_H
#define QELQUERY_QUESTIONS_H

#include <stddef.h>

#include "requestKindTable.h"

/* The most arguments a query command takes. */
#define QQ_MAX_ARGUMENTS 8

/* One argument of a query command. */
struct qq_argument {
    const char* shown;     /* "PART": in the help and in usage messages */
    const char* parameter; /* "PartMaterial": the request file's element it becomes */
    int number;            /* a decimal number rather than text */
};

/* A query command's arguments: texts as typed, numbers already parsed. */
struct qq_values {
    const char* const* texts;
    const double* numbers;
};

/* What qelquery adds to a row of the kind table: its command line and the
 * exported query function that asks it. */
struct qq_asking {
    const struct qq_argument* arguments;
    int argument_count;
    /* The command's line in the help; a '\n' starts a further line. */
    const char* help;
    /* Calls the query with argument i as texts[i] or numbers[i]. */
    const char* (*ask)(const struct qq_values* values, int* status);
};

/* One question: its names from the kind table and its kind's entry. */
struct qq_question {
    const char* query;        /* "electrode_materials": the command "electrode-materials" */
    const char* program;      /* "ElectrodeMaterial.exe" */
    const char* request_name; /* "ElectrodeMat": R_ElectrodeMat.xml, A_ElectrodeMat.xml */
    const char* root;         /* "RequestElectrodeMaterial", the request's root element */
    int parameters;           /* how many parameter elements its request file holds */
    const struct qq_asking* asking;
};

#define QQ_COUNT_ROW(Class, query, request, root, program, names) +1
enum { QQ_QUESTION_COUNT = 0 QEL_REQUEST_KINDS(QQ_COUNT_ROW) };
#undef QQ_COUNT_ROW

extern const struct qq_question qq_questions[QQ_QUESTION_COUNT];

/* The command of `question` into `out`: its query's name with '-' for '_'. */
void qq_command(const struct qq_question* question, char* out, size_t size);

/* "the three programs ElectrodeMaterial.exe, SurfaceFinish.exe and
 * OptimumUndersize.exe" for the table's programs, into `out`. */
void qq_program_list(char* out, size_t size);

/* "three": how many programs the table names, in words while short. */
const char* qq_program_count(void);

#endif
