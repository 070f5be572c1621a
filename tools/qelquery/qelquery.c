/*
 * qelquery: asks the technology programs one question from the command line,
 * or checks a vendor's programs against the exchange rules.
 *
 * A host like any other: every query goes through the C interface of
 * qellink.h. Options are read first; parameters are set in the order given,
 * then one command runs. Answer values go to standard output one per line; a
 * failure is explained on standard error and the library's status becomes
 * the exit code. Other exit codes follow sysexits.h.
 */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "check.h"
#include "libraryRules.h"
#include "qelqueryMain.h"
#include "qelquerySystem.h"
#include "qellink.h"
#include "queryFailure.h"
#include "questions.h"

/* sysexits.h, which not every platform has. */
#define EXIT_USAGE 64
#define EXIT_DATAERR 65
#define EXIT_IOERR 74

#ifndef QELQUERY_VERSION
#define QELQUERY_VERSION "0"
#endif

static const char usage_line[] =
    "usage: qelquery [OPTION]... COMMAND [ARGS]\n";

/* The help, around its list of commands (print_help). */
static const char help_options[] =
    "\n"
    "Asks the technology programs in the exchange directory DIR one question,\n"
    "or checks them against the exchange rules.\n"
    "\n"
    "Options:\n"
    "  --study DIR        the exchange directory (sets ImportStudyPath)\n"
    "  --set NAME=VALUE   sets any other parameter, e.g. --set MachineName=M1\n"
    "  --verbose          prints the request file and the answer file, and how\n"
    "                     long the program ran, on standard error\n"
    "  --lossy            sends characters that a request file cannot carry as\n"
    "                     the library replaces them, instead of refusing them\n"
    "  -h, --help         this text\n"
    "  --version          the version of qelquery and of the library's interface\n"
    "  --                 ends the options\n"
    "\n"
    "Commands:\n";

static const char help_status[] =
    "\n"
    "Answers are printed one per line. A failed query is explained on standard\n"
    "error. Exit status:\n"
    "  0      success\n"
    "  1      installed: not installed; check: a check failed\n"
    "  2      no exchange directory, or text that is not UTF-8\n"
    "  3      a request or answer file name in DIR is a directory\n"
    "  4      the request could not be written, or the program could not be\n"
    "         started or did not end within 60 seconds\n"
    "  5      the program ended without writing an answer\n"
    "  6      the answer file is not a valid answer\n"
    "  64     usage error (EX_USAGE)\n"
    "  65     a value holds a character a request file cannot carry (EX_DATAERR)\n"
    "  74     standard output could not be written (EX_IOERR)\n";

/* Where a command's explanation starts in the list of commands. */
#define HELP_COLUMN 33

/* One command of the help: "  command arguments", then `help` from
 * HELP_COLUMN on (on the next line when the command reaches it), each of its
 * further lines indented as far. */
static void print_command_help(const char* command, const char* help)
{
    int width = printf("  %s", command);
    if (width >= HELP_COLUMN) {
        printf("\n");
        width = 0;
    }
    printf("%*s", HELP_COLUMN - width, "");
    for (const char* p = help; *p; ++p) {
        putchar(*p);
        if (*p == '\n')
            printf("%*s", HELP_COLUMN, "");
    }
    printf("\n");
}

static void print_help(void)
{
    char installed[128];
    printf("%s%s", usage_line, help_options);
    print_command_help("version", "the library's interface version");
    snprintf(installed, sizeof installed, "yes (exit 0) or no (exit 1): are the %s\nprograms in DIR",
             qq_program_count());
    print_command_help("installed", installed);
    for (int i = 0; i < QQ_QUESTION_COUNT; ++i) {
        const struct qq_asking* kind = qq_questions[i].asking;
        char line[256];
        qq_command(&qq_questions[i], line, sizeof line);
        for (int a = 0; a < kind->argument_count; ++a) {
            size_t used = strlen(line);
            snprintf(line + used, sizeof line - used, " %s", kind->arguments[a].shown);
        }
        print_command_help(line, kind->help);
    }
    print_command_help("check [--study DIR]",
                       "asks each program a set of requests and\n"
                       "checks answers, run times and request files;\n"
                       "one line per check (exit 0: all passed)");
    printf("%s", help_status);
}

/* What the options asked for. */
struct options {
    const char* study;      /* ImportStudyPath as set; "" when not set */
    int verbose;
    int lossy;
};

static int usage_error(const char* what)
{
    fprintf(stderr, "qelquery: %s\n%s", what, usage_line);
    return EXIT_USAGE;
}

/* Ends a run that printed to standard output: output that could not be
 * written is an error of its own. */
static int finish_output(int code)
{
    if (fflush(stdout) != 0 || ferror(stdout)) {
        fprintf(stderr, "qelquery: standard output could not be written\n");
        return EXIT_IOERR;
    }
    return code;
}

/*
 * A decimal number: optional sign, digits with at most one '.', optional
 * exponent. strtod then converts it; this program never calls setlocale, so
 * the "C" locale's '.' applies whatever the user's locale says.
 */
static int parse_number(const char* text, double* value)
{
    const char* p = text;
    int digits = 0;
    char* end = NULL;
    if (*p == '+' || *p == '-')
        ++p;
    for (; *p >= '0' && *p <= '9'; ++p)
        ++digits;
    if (*p == '.')
        for (++p; *p >= '0' && *p <= '9'; ++p)
            ++digits;
    if (digits == 0)
        return 0;
    if (*p == 'e' || *p == 'E') {
        ++p;
        if (*p == '+' || *p == '-')
            ++p;
        if (!(*p >= '0' && *p <= '9'))
            return 0;
        while (*p >= '0' && *p <= '9')
            ++p;
    }
    if (*p != '\0')
        return 0;
    *value = strtod(text, &end);
    return end == p;
}

/* The UTF-8 form of one code point, for messages. */
static void utf8_of(unsigned long c, char out[5])
{
    if (c < 0x80) {
        out[0] = (char)c;
        out[1] = '\0';
    } else if (c < 0x800) {
        out[0] = (char)(0xC0 | (c >> 6));
        out[1] = (char)(0x80 | (c & 0x3F));
        out[2] = '\0';
    } else if (c < 0x10000) {
        out[0] = (char)(0xE0 | (c >> 12));
        out[1] = (char)(0x80 | ((c >> 6) & 0x3F));
        out[2] = (char)(0x80 | (c & 0x3F));
        out[3] = '\0';
    } else {
        out[0] = (char)(0xF0 | (c >> 18));
        out[1] = (char)(0x80 | ((c >> 12) & 0x3F));
        out[2] = (char)(0x80 | ((c >> 6) & 0x3F));
        out[3] = (char)(0x80 | (c & 0x3F));
        out[4] = '\0';
    }
}

/* 0, or EXIT_DATAERR with a message when `value` of `name` cannot reach the
 * request file unchanged. */
static int refuse_unsendable(const struct options* options, const char* name, const char* value)
{
    unsigned long c = options->lossy ? 0 : qq_unsendable_character(value);
    char shown[5];
    if (c == 0)
        return 0;
    utf8_of(c, shown);
    fprintf(stderr,
            "qelquery: %s \"%s\" holds the character U+%04lX (%s), which a request file cannot "
            "carry: a request beyond ASCII is written in code page 1252. Pass --lossy to send it "
            "as the library replaces it\n",
            name, value, c, shown);
    return EXIT_DATAERR;
}

static int set_parameter(struct options* options, const char* name, const char* value)
{
    int status = 0;
    set_parameter_value(name, value, &status);
    if (status != 0) {
        fprintf(stderr, "qelquery: parameter %s: not valid UTF-8 text (status %d)\n", name, status);
        return status;
    }
    if (strcmp(name, "ImportStudyPath") == 0)
        options->study = value;
    return 0;
}

/* Prints a file's bytes on standard error after a header line. */
static void show_file(const char* directory, const char* name)
{
    char path[4096];
    char buffer[4096];
    size_t got = 0, total = 0;
    const size_t shown_at_most = 64 * 1024;
    qq_join(path, sizeof path, directory, name);
    FILE* file = qq_open_read(path);
    fprintf(stderr, "--- %s\n", path);
    if (file == NULL) {
        fprintf(stderr, "(no such file)\n");
        return;
    }
    int last = '\n';
    while (total < shown_at_most && (got = fread(buffer, 1, sizeof buffer, file)) > 0) {
        fwrite(buffer, 1, got, stderr);
        total += got;
        last = buffer[got - 1];
    }
    if (last != '\n')
        fprintf(stderr, "\n");
    if (getc(file) != EOF)
        fprintf(stderr, "(cut after %lu bytes)\n", (unsigned long)total);
    fclose(file);
}

/* Prints a query's values one per line, or explains its failure. */
static int finish_query(const struct options* options, const struct qq_question* question,
                        const char* answer, int status, double seconds)
{
    if (options->verbose) {
        char request_file[256], answer_file[256];
        snprintf(request_file, sizeof request_file, "R_%s.xml", question->request_name);
        snprintf(answer_file, sizeof answer_file, "A_%s.xml", question->request_name);
        fprintf(stderr, "qelquery: %s: status %d after %.2f s\n", question->program, status, seconds);
        show_file(options->study, request_file);
        show_file(options->study, answer_file);
        fflush(stderr);
    }
    if (status != 0 || answer == NULL) {
        char reason[2048], context[1024];
        delete_string((void*)answer);
        qq_explain_failure(question, options->study, status, seconds, reason, sizeof reason, context,
                           sizeof context);
        fprintf(stderr, "qelquery: %s (status %d)\n%s", reason, status, context);
        return status;
    }
    if (answer[0] != '\0')
        printf("%s\n", answer);
    delete_string((void*)answer);
    return finish_output(0);
}

/* "electrode-materials takes PART": what a question's command takes. */
static int usage_of(const struct qq_question* question)
{
    char what[256];
    qq_command(question, what, sizeof what);
    size_t used = strlen(what);
    snprintf(what + used, sizeof what - used, " takes");
    for (int a = 0; a < question->asking->argument_count; ++a) {
        used = strlen(what);
        snprintf(what + used, sizeof what - used, " %s", question->asking->arguments[a].shown);
    }
    return usage_error(what);
}

static int run_query(const struct options* options, const struct qq_question* question, char** argv)
{
    const struct qq_asking* kind = question->asking;
    double numbers[QQ_MAX_ARGUMENTS] = {0};
    const struct qq_values values = {(const char* const*)argv, numbers};
    int status = -1;
    /* Every text is judged before any number, as the library would judge
     * the request. */
    for (int a = 0; a < kind->argument_count; ++a) {
        int refused = kind->arguments[a].number
                          ? 0
                          : refuse_unsendable(options, kind->arguments[a].parameter, argv[a]);
        if (refused)
            return refused;
    }
    for (int a = 0; a < kind->argument_count; ++a) {
        if (kind->arguments[a].number && !parse_number(argv[a], &numbers[a])) {
            fprintf(stderr, "qelquery: %s is not a number: %s\n%s", kind->arguments[a].shown,
                    argv[a], usage_line);
            return EXIT_USAGE;
        }
    }
    double began = qq_seconds();
    const char* answer = kind->ask(&values, &status);
    return finish_query(options, question, answer, status, qq_seconds() - began);
}

/* The question whose command is `command`, or NULL. */
static const struct qq_question* question_of(const char* command)
{
    for (int i = 0; i < QQ_QUESTION_COUNT; ++i) {
        char name[128];
        qq_command(&qq_questions[i], name, sizeof name);
        if (strcmp(command, name) == 0)
            return &qq_questions[i];
    }
    return NULL;
}

static int run_command(struct options* options, const char* command, int argc, char** argv)
{
    if (strcmp(command, "version") == 0) {
        if (argc != 0)
            return usage_error("version takes no arguments");
        const char* version = api_version();
        printf("%s\n", version);
        delete_string((void*)version);
        return finish_output(0);
    }
    if (strcmp(command, "installed") == 0) {
        if (argc != 0)
            return usage_error("installed takes no arguments");
        int installed = qel_installed();
        printf("%s\n", installed ? "yes" : "no");
        return finish_output(installed ? 0 : 1);
    }
    if (strcmp(command, "check") == 0) {
        if (argc == 2 && strcmp(argv[0], "--study") == 0)
            options->study = argv[1];
        else if (argc != 0)
            return usage_error("check takes only --study DIR");
        if (options->study[0] == '\0')
            return usage_error("check needs the exchange directory: --study DIR");
        return finish_output(qq_check(options->study));
    }
    const struct qq_question* question = question_of(command);
    if (question != NULL) {
        if (argc != question->asking->argument_count)
            return usage_of(question);
        return run_query(options, question, argv);
    }
    fprintf(stderr, "qelquery: unknown command: %s\n%s", command, usage_line);
    return EXIT_USAGE;
}

int qelquery_main(int argc, char** argv)
{
    struct options options = {"", 0, 0};
    /* Read every option first: values are refused before anything is set
     * or started, whatever their order. */
    const char* names[256];
    const char* values[256];
    int parameters = 0;
    int i = 1;
    for (; i < argc && argv[i][0] == '-'; ++i) {
        const char* option = argv[i];
        if (strcmp(option, "--") == 0) {
            ++i;
            break;
        }
        if (strcmp(option, "-h") == 0 || strcmp(option, "--help") == 0) {
            print_help();
            return finish_output(0);
        }
        if (strcmp(option, "--version") == 0) {
            const char* version = api_version();
            printf("qelquery %s (library interface %s)\n", QELQUERY_VERSION, version);
            delete_string((void*)version);
            return finish_output(0);
        }
        if (strcmp(option, "--verbose") == 0) {
            options.verbose = 1;
        } else if (strcmp(option, "--lossy") == 0) {
            options.lossy = 1;
        } else if (strcmp(option, "--study") == 0 || strcmp(option, "--set") == 0) {
            if (++i == argc)
                return usage_error(strcmp(option, "--study") == 0 ? "--study needs DIR"
                                                                  : "--set needs NAME=VALUE");
            if (parameters == 256)
                return usage_error("too many parameters");
            if (strcmp(option, "--study") == 0) {
                names[parameters] = "ImportStudyPath";
                values[parameters] = argv[i];
            } else {
                char* equals = strchr(argv[i], '=');
                if (equals == NULL || equals == argv[i])
                    return usage_error("--set needs NAME=VALUE");
                *equals = '\0';
                names[parameters] = argv[i];
                values[parameters] = equals + 1;
            }
            ++parameters;
        } else {
            fprintf(stderr, "qelquery: unknown option: %s\n%s", option, usage_line);
            return EXIT_USAGE;
        }
    }
    if (i == argc)
        return usage_error("no command");
    for (int p = 0; p < parameters; ++p) {
        int refused = refuse_unsendable(&options, names[p], values[p]);
        if (refused)
            return refused;
    }
    for (int p = 0; p < parameters; ++p) {
        int failed = set_parameter(&options, names[p], values[p]);
        if (failed)
            return failed;
    }
    return run_command(&options, argv[i], argc - i - 1, argv + i + 1);
}
