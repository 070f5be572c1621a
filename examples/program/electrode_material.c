/*
 * ElectrodeMaterial.exe in a few lines: the electrode materials that suit
 * the part material of the request. The list here is made up; a real
 * program asks its own technology.
 */
#include <stdio.h>
#include <string.h>

#include "qelprogram.h"

int main(int argc, char** argv)
{
    static const char* const for_tool_steel[] = {"Copper", "Graphite fine grain"};
    const char* const* values = NULL;
    size_t count = 0;
    char* directory = NULL;
    qp_request* request = NULL;
    qp_error error;
    (void)argc;

    /* The exchange directory is where this program's file is. */
    if (qp_exchange_directory(argv[0], &directory, &error) != QP_OK ||
        qp_read_request(directory, QP_ELECTRODE_MATERIAL, &request, &error) != QP_OK) {
        /* No answer at all: the host sees the query fail (status 5). */
        fprintf(stderr, "ElectrodeMaterial: %s\n", error.message);
        qp_free(directory);
        return 1;
    }

    if (strcmp(qp_value(request, "PartMaterial"), "1.2379") == 0) {
        values = for_tool_steel;
        count = 2;
    }
    /* No values is a valid answer too: "nothing known for this part". */
    if (qp_write_answer(directory, QP_ELECTRODE_MATERIAL, values, count, &error) != QP_OK)
        fprintf(stderr, "ElectrodeMaterial: %s\n", error.message);

    qp_free_request(request);
    qp_free(directory);
    return error.code == QP_OK ? 0 : 1;
}
