/*
 * qelquery: asks the technology programs one question from the command line.
 *
 * A host like any other: it sees nothing of the library but the C interface
 * of qellink.h. Options set parameters in the order given, then one command
 * runs. Answer values go to standard output one per line; a failure is one
 * line on standard error and the library's status becomes the exit code.
 */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "qellink.h"
#include "qelqueryMain.h"

#define EXIT_USAGE 64

static const char usage_line[] =
    "usage: qelquery [--study DIR] [--set NAME=VALUE]... COMMAND [ARGS]\n";

static const char help_text[] =
    "\n"
    "Asks the technology programs in the exchange directory DIR one question.\n"
    "\n"
    "Options (applied in the order given):\n"
    "  --study DIR        the exchange directory (sets ImportStudyPath)\n"
    "  --set NAME=VALUE   sets any other parameter, e.g. --set MachineName=M1\n"
    "  --help             this text\n"
    "\n"
    "Commands:\n"
    "  version                        the library's interface version\n"
    "  installed                      yes (exit 0) or no (exit 1): are the three\n"
    "                                 programs in DIR\n"
    "  electrode-materials PART       electrode materials for a part material\n"
    "  surface-finishes PART ELECTRODE\n"
    "                                 surface finishes the pair can reach\n"
    "  optimum-undersizes PART ELECTRODE DEPTH ATTACK FINISH LENGTH\n"
    "                                 electrode undersizes for a cavity; numbers\n"
    "                                 are written with '.' as decimal point\n"
    "\n"
    "Answers are printed one per line. On failure the exit code is the\n"
    "library's status (2 to 6), 64 for a usage error.\n";

/* The exchange directory as last set, for messages. */
static const char* study_dir = "";

static int usage_error(const char* what)
{
    fprintf(stderr, "qelquery: %s\n%s", what, usage_line);
    return EXIT_USAGE;
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

/* One line naming the status and what to do about it; the status is the exit code. */
static int report_failure(int status, const char* request, const char* program)
{
    const char* dir = study_dir[0] ? study_dir : "(not set)";
    switch (status) {
    case 2:
        if (study_dir[0] == '\0')
            fprintf(stderr, "qelquery: no exchange directory is set (status 2): pass --study DIR\n");
        else
            fprintf(stderr, "qelquery: an argument is not valid UTF-8 text (status 2): "
                            "pass material names in UTF-8\n");
        break;
    case 3:
        fprintf(stderr,
                "qelquery: R_%s.xml or A_%s.xml in %s is a directory (status 3): "
                "remove or rename it\n",
                request, request, dir);
        break;
    case 4:
        fprintf(stderr,
                "qelquery: %s in %s did not start or did not end within 60 seconds, or the "
                "request could not be written (status 4): check that the program is there "
                "and runs, and that the directory is writable\n",
                program, dir);
        break;
    case 5:
        fprintf(stderr,
                "qelquery: the technology program ended without writing an answer file "
                "(status 5): check the program in %s\n",
                dir);
        break;
    case 6:
        fprintf(stderr,
                "qelquery: the answer file A_%s.xml is not a valid answer (status 6): "
                "check the program in %s\n",
                request, dir);
        break;
    default:
        fprintf(stderr, "qelquery: the library reported status %d\n", status);
        break;
    }
    return status;
}

/* Prints a query's values one per line and releases them. */
static int finish_query(const char* answer, int status, const char* request, const char* program)
{
    if (status != 0 || answer == NULL) {
        delete_string((void*)answer);
        return report_failure(status, request, program);
    }
    if (answer[0] != '\0')
        printf("%s\n", answer);
    delete_string((void*)answer);
    return 0;
}

static int set_parameter(const char* name, const char* value)
{
    int status = 0;
    set_parameter_value(name, value, &status);
    if (status != 0) {
        fprintf(stderr, "qelquery: parameter %s: not valid UTF-8 text (status %d)\n", name, status);
        return status;
    }
    if (strcmp(name, "ImportStudyPath") == 0)
        study_dir = value;
    return 0;
}

/* --set NAME=VALUE; the name ends at the first '='. */
static int set_assignment(char* assignment)
{
    char* equals = strchr(assignment, '=');
    if (equals == NULL || equals == assignment)
        return usage_error("--set needs NAME=VALUE");
    *equals = '\0';
    return set_parameter(assignment, equals + 1);
}

static int run_command(const char* command, int argc, char** argv)
{
    int status = -1;
    if (strcmp(command, "version") == 0) {
        if (argc != 0)
            return usage_error("version takes no arguments");
        const char* version = api_version();
        printf("%s\n", version);
        delete_string((void*)version);
        return 0;
    }
    if (strcmp(command, "installed") == 0) {
        if (argc != 0)
            return usage_error("installed takes no arguments");
        int installed = qel_installed();
        printf("%s\n", installed ? "yes" : "no");
        return installed ? 0 : 1;
    }
    if (strcmp(command, "electrode-materials") == 0) {
        if (argc != 1)
            return usage_error("electrode-materials takes PART");
        const char* answer = electrode_materials(argv[0], &status);
        return finish_query(answer, status, "ElectrodeMat", "ElectrodeMaterial.exe");
    }
    if (strcmp(command, "surface-finishes") == 0) {
        if (argc != 2)
            return usage_error("surface-finishes takes PART ELECTRODE");
        const char* answer = surface_finishes(argv[0], argv[1], &status);
        return finish_query(answer, status, "SurfaceFinish", "SurfaceFinish.exe");
    }
    if (strcmp(command, "optimum-undersizes") == 0) {
        double numbers[4];
        static const char* const names[4] = {"DEPTH", "ATTACK", "FINISH", "LENGTH"};
        if (argc != 6)
            return usage_error(
                "optimum-undersizes takes PART ELECTRODE DEPTH ATTACK FINISH LENGTH");
        for (int i = 0; i < 4; ++i) {
            if (!parse_number(argv[2 + i], &numbers[i])) {
                fprintf(stderr, "qelquery: %s is not a number: %s\n%s", names[i], argv[2 + i],
                        usage_line);
                return EXIT_USAGE;
            }
        }
        const char* answer = optimum_undersizes(argv[0], argv[1], numbers[0], numbers[1],
                                                numbers[2], numbers[3], &status);
        return finish_query(answer, status, "OptimumUndersize", "OptimumUndersize.exe");
    }
    fprintf(stderr, "qelquery: unknown command: %s\n%s", command, usage_line);
    return EXIT_USAGE;
}

int qelquery_main(int argc, char** argv)
{
    int i = 1;
    for (; i < argc && strncmp(argv[i], "--", 2) == 0; ++i) {
        int failed = 0;
        if (strcmp(argv[i], "--help") == 0) {
            printf("%s%s", usage_line, help_text);
            return 0;
        } else if (strcmp(argv[i], "--study") == 0) {
            if (++i == argc)
                return usage_error("--study needs DIR");
            failed = set_parameter("ImportStudyPath", argv[i]);
        } else if (strcmp(argv[i], "--set") == 0) {
            if (++i == argc)
                return usage_error("--set needs NAME=VALUE");
            failed = set_assignment(argv[i]);
        } else {
            fprintf(stderr, "qelquery: unknown option: %s\n%s", argv[i], usage_line);
            return EXIT_USAGE;
        }
        if (failed)
            return failed;
    }
    if (i == argc)
        return usage_error("no command");
    return run_command(argv[i], argc - i - 1, argv + i + 1);
}
