/* Explaining a failed query (see queryFailure.h). */
#include "queryFailure.h"

#include <stdio.h>
#include <string.h>

#include "libraryRules.h"
#include "qelquerySystem.h"

void qq_join(char* out, size_t size, const char* directory, const char* name)
{
    size_t length = strlen(directory);
    int separated = length == 0 || directory[length - 1] == '/' || directory[length - 1] == '\\';
    snprintf(out, size, "%s%s%s", directory, separated ? "" : "/", name);
}

int qq_ran_past_limit(double seconds)
{
    /* The wait itself takes the full limit; clocks differ by a little. */
    return seconds >= QQ_TIME_LIMIT_SECONDS - 0.1;
}

/* Whether the request file ends with its root's end tag: a write that
 * failed halfway leaves the start of the file only. */
static int request_complete(const char* path, const char* root)
{
    char end_tag[128];
    char tail[128];
    FILE* file = qq_open_read(path);
    if (file == NULL)
        return 0;
    snprintf(end_tag, sizeof end_tag, "</%s>", root);
    size_t want = strlen(end_tag) + 2;
    size_t got = 0;
    if (fseek(file, -(long)want, SEEK_END) != 0)
        rewind(file);
    got = fread(tail, 1, sizeof tail - 1, file);
    fclose(file);
    tail[got] = '\0';
    return strstr(tail, end_tag) != NULL;
}

static void explain_status_4(const struct qq_question* question, const char* study, double seconds,
                             char* reason, size_t size)
{
    char request[4096], program[4096], request_file[256];
    snprintf(request_file, sizeof request_file, "R_%s.xml", question->request_name);
    qq_join(request, sizeof request, study, request_file);
    qq_join(program, sizeof program, study, question->program);
    enum qq_kind directory = qq_file_kind(study);
    if (directory == QQ_NOTHING)
        snprintf(reason, size, "the exchange directory %s does not exist", study);
    else if (directory != QQ_DIRECTORY)
        snprintf(reason, size, "the exchange directory %s is not a directory", study);
    /* Only a program that was started can run that long. */
    else if (qq_ran_past_limit(seconds))
        snprintf(reason, size,
                 "%s was still running when the 60-second limit passed (the query took %.1f s); "
                 "it is left running: write the answer and end well within 60 s",
                 question->program, seconds);
    else if (!qq_directory_takes_files(study))
        snprintf(reason, size,
                 "the exchange directory %s is not writable, so the request file %s could not be "
                 "written",
                 study, request_file);
    else if (qq_file_kind(request) != QQ_FILE || !request_complete(request, question->root))
        snprintf(reason, size,
                 "the request file %s could not be written completely; a request with a character "
                 "beyond ASCII is written in code page 1252, where a line holds at most 1024 "
                 "bytes: shorten the longest value",
                 request_file);
    else if (qq_file_kind(program) == QQ_NOTHING) {
        char programs[1024];
        qq_program_list(programs, sizeof programs);
        snprintf(reason, size,
                 "%s is not in %s (the query failed after %.2f s); the exchange directory holds %s",
                 question->program, study, seconds, programs);
    }
    else if (qq_file_kind(program) != QQ_FILE)
        snprintf(reason, size, "%s in %s is not a regular file; the program must be a file of that name",
                 question->program, study);
    else if (!qq_is_executable(program))
        snprintf(reason, size,
                 "%s in %s is not executable (no execute permission, or not a program the system "
                 "can start)",
                 question->program, study);
    else
        snprintf(reason, size, "%s in %s could not be started (the query failed after %.2f s)",
                 question->program, study, seconds);
}

void qq_explain_failure(const struct qq_question* question, const char* study, int status,
                        double seconds, char* reason, size_t reason_size, char* context,
                        size_t context_size)
{
    char answer[4096], answer_file[256], why[1024];
    snprintf(answer_file, sizeof answer_file, "A_%s.xml", question->request_name);
    qq_join(answer, sizeof answer, study, answer_file);
    if (context_size > 0)
        context[0] = '\0';
    switch (status) {
    case 2:
        if (study[0] == '\0')
            snprintf(reason, reason_size, "no exchange directory is set: pass --study DIR");
        else
            snprintf(reason, reason_size, "an argument is not valid UTF-8 text: pass material names in UTF-8");
        break;
    case 3: {
        char request[4096], request_file[256];
        snprintf(request_file, sizeof request_file, "R_%s.xml", question->request_name);
        qq_join(request, sizeof request, study, request_file);
        snprintf(reason, reason_size, "%s in %s is a directory: remove or rename it",
                 qq_file_kind(request) == QQ_DIRECTORY ? request_file : answer_file, study);
        break;
    }
    case 4:
        explain_status_4(question, study, seconds, reason, reason_size);
        break;
    case 5:
        snprintf(reason, reason_size,
                 "%s ended after %.2f s without writing %s; it is started with no arguments, in "
                 "the host's current directory, and finds the exchange directory from its own "
                 "path: run it so, with the request file in place",
                 question->program, seconds, answer_file);
        break;
    case 6:
        if (qq_explain_answer(answer, why, sizeof why, context, context_size))
            snprintf(reason, reason_size, "%s is not a valid answer: %s", answer_file, why);
        else
            snprintf(reason, reason_size,
                     "%s was refused, but reads as a valid answer now: %s seems to have written "
                     "it after the query had ended",
                     answer_file, question->program);
        break;
    default:
        snprintf(reason, reason_size, "the library reported status %d", status);
        break;
    }
}
