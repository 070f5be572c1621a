/*
 * A technology program on the kit that answers with its own request: one
 * value "Name=value" per parameter ("Name" alone for a null value), then the
 * part material as it came when it is not empty. The end-to-end tests read
 * the values back through the library.
 */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "qelprogram.h"

int main(int argc, char** argv)
{
    qp_error error;
    qp_kind kind;
    char* directory = NULL;
    qp_request* request = NULL;
    char** values = NULL;
    const char* part;
    size_t count = 0, k;
    (void)argc;
    if (qp_program_kind(argv[0], &kind, &error) != QP_OK ||
        qp_exchange_directory(argv[0], &directory, &error) != QP_OK ||
        qp_read_request(directory, kind, &request, &error) != QP_OK) {
        fprintf(stderr, "echo: %s\n", error.message);
        qp_free(directory);
        return 1;
    }
    values = (char**)calloc(qp_parameter_count(request) + 1, sizeof(char*));
    for (k = 0; values && k < qp_parameter_count(request); ++k) {
        const char* name = qp_parameter_name(request, k);
        const char* value = qp_parameter_value(request, k);
        values[count] = (char*)malloc(strlen(name) + (value ? strlen(value) + 2 : 1));
        if (!values[count])
            break;
        strcpy(values[count], name);
        if (value)
            strcat(strcat(values[count], "="), value);
        ++count;
    }
    part = qp_value(request, "PartMaterial");
    if (values && *part && (values[count] = (char*)malloc(strlen(part) + 1)) != NULL)
        strcpy(values[count++], part);
    if (!values || qp_write_answer(directory, kind, (const char* const*)values, count, &error) != QP_OK)
        fprintf(stderr, "echo: %s\n", values ? error.message : "out of memory");
    for (k = 0; k < count; ++k)
        free(values[k]);
    free(values);
    qp_free_request(request);
    qp_free(directory);
    return 0;
}
