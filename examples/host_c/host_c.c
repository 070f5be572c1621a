/*
 * A host in C: asks the technology programs in the exchange directory given
 * as the first argument the three questions, then shows a failure.
 *
 *   host_c EXCHANGE-DIRECTORY
 *
 * Every answer is a string the host owns and returns with delete_string();
 * its values are separated by '\n'. A status other than 0 comes with a null
 * answer.
 */
#include <stdio.h>
#include <string.h>

#include "qellink.h"

/* Prints the values of an answer, one per line, and releases it. */
static int show(const char* question, const char* answer, int status)
{
    printf("%s:\n", question);
    if (status != 0)
        printf("  failed with status %d\n", status);
    else
        for (const char* value = answer; *value != '\0';) {
            size_t length = strcspn(value, "\n");
            printf("  %.*s\n", (int)length, value);
            value += length + (value[length] == '\n');
        }
    delete_string((void*)answer); /* null after a failure, which it accepts */
    return status;
}

/* Sets ImportStudyPath; 0 or the status (2 for text that is not UTF-8). */
static int set_study_path(const char* directory)
{
    int status = -1;
    set_parameter_value("ImportStudyPath", directory, &status);
    return status;
}

int main(int argc, char** argv)
{
    char missing[1024];
    int status = -1;
    const char* answer;
    if (argc != 2) {
        fprintf(stderr, "usage: host_c EXCHANGE-DIRECTORY\n");
        return 64;
    }
    /* On Windows argv is in the ANSI code page: a path beyond ASCII would
     * have to be converted to UTF-8 first. */
    if (set_study_path(argv[1]) != 0)
        return 2;

    const char* version = api_version();
    printf("interface version %s\n", version);
    delete_string((void*)version);
    printf("programs installed: %s\n", qel_installed() ? "yes" : "no");

    answer = electrode_materials("1.2379", &status);
    if (show("electrode materials for 1.2379", answer, status) != 0)
        return 1;
    answer = surface_finishes("1.2379", "Graphite fine grain", &status);
    if (show("surface finishes for 1.2379 with Graphite fine grain", answer, status) != 0)
        return 1;
    answer = optimum_undersizes("1.2379", "Copper", 12.5, 50, 18, 120, &status);
    if (show("optimum undersizes for 1.2379 with Copper, 12.5 mm deep", answer, status) != 0)
        return 1;

    /* A directory without programs: the program cannot start, status 4. */
    snprintf(missing, sizeof missing, "%s/no-such-directory", argv[1]);
    if (set_study_path(missing) != 0)
        return 2;
    answer = electrode_materials("1.2379", &status);
    show("electrode materials from a directory without programs", answer, status);
    return status == 4 ? 0 : 1;
}
