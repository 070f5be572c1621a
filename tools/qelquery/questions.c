/* The questions of qelquery (see questions.h): per request kind its
 * arguments, help line and query call, then the table of questions, one per
 * row of the kind table. A row without its kind here does not compile. */
#include "questions.h"

#include <stdio.h>
#include <string.h>

#include "qellink.h"

/* The entry of the kind table's row `query`: query##_arguments and
 * ask_##query must be defined before it. */
#define QQ_KIND(query, help)                                                                     \
    static const struct qq_asking qq_asking_##query = {                                              \
        query##_arguments, (int)(sizeof query##_arguments / sizeof query##_arguments[0]), help,  \
        ask_##query};                                                                             \
    _Static_assert(sizeof query##_arguments / sizeof query##_arguments[0] <= QQ_MAX_ARGUMENTS, \
                   #query " takes more than QQ_MAX_ARGUMENTS arguments")

static const struct qq_argument electrode_materials_arguments[] = {
    {"PART", "PartMaterial", 0},
};
static const char* ask_electrode_materials(const struct qq_values* v, int* status)
{
    return electrode_materials(v->texts[0], status);
}
QQ_KIND(electrode_materials, "electrode materials for a part material");

static const struct qq_argument surface_finishes_arguments[] = {
    {"PART", "PartMaterial", 0},
    {"ELECTRODE", "ElectrodeMaterial", 0},
};
static const char* ask_surface_finishes(const struct qq_values* v, int* status)
{
    return surface_finishes(v->texts[0], v->texts[1], status);
}
QQ_KIND(surface_finishes, "surface finishes the pair can reach");

static const struct qq_argument optimum_undersizes_arguments[] = {
    {"PART", "PartMaterial", 0},
    {"ELECTRODE", "ElectrodeMaterial", 0},
    {"DEPTH", "MachiningDepth", 1},
    {"ATTACK", "AttackFrontalSurface", 1},
    {"FINISH", "SurfaceFinish", 1},
    {"LENGTH", "TotalLengthOfElectrode", 1},
};
static const char* ask_optimum_undersizes(const struct qq_values* v, int* status)
{
    return optimum_undersizes(v->texts[0], v->texts[1], v->numbers[2], v->numbers[3],
                              v->numbers[4], v->numbers[5], status);
}
QQ_KIND(optimum_undersizes,
        "electrode undersizes for a cavity; numbers\nare written with '.' as decimal point");

#define QQ_QUESTION_ROW(Class, query, request, root, program, names)                             \
    {#query, program, request, root,                                                             \
     (int)(sizeof((const char*[]){QEL_UNWRAP names}) / sizeof(const char*)), &qq_asking_##query},

const struct qq_question qq_questions[QQ_QUESTION_COUNT] = {QEL_REQUEST_KINDS(QQ_QUESTION_ROW)};

void qq_command(const struct qq_question* question, char* out, size_t size)
{
    size_t i = 0;
    for (; question->query[i] != '\0' && i + 1 < size; ++i)
        out[i] = question->query[i] == '_' ? '-' : question->query[i];
    if (size > 0)
        out[i] = '\0';
}

const char* qq_program_count(void)
{
    static const char* const words[] = {"no", "one", "two", "three", "four", "five", "six",
                                        "seven", "eight", "nine", "ten"};
    static char digits[16];
    if (QQ_QUESTION_COUNT < (int)(sizeof words / sizeof words[0]))
        return words[QQ_QUESTION_COUNT];
    snprintf(digits, sizeof digits, "%d", (int)QQ_QUESTION_COUNT);
    return digits;
}

void qq_program_list(char* out, size_t size)
{
    size_t used = (size_t)snprintf(out, size, "the %s programs", qq_program_count());
    for (int i = 0; i < QQ_QUESTION_COUNT && used < size; ++i) {
        const char* joint = i == 0 ? " " : i + 1 == QQ_QUESTION_COUNT ? " and " : ", ";
        used += (size_t)snprintf(out + used, size - used, "%s%s", joint, qq_questions[i].program);
    }
}
