/*
 * OptimumUndersize.exe in a few lines: the undersize per side in mm of the
 * finishing and the roughing electrode. Made-up rule: 0.020 mm and 0.120 mm,
 * plus 0.002 per mm of machining depth for roughing.
 */
#include <stdio.h>
#include <stdlib.h>

#include "qelprogram.h"

int main(int argc, char** argv)
{
    char finishing[32], roughing[32];
    const char* values[] = {finishing, roughing};
    size_t count = 0;
    char* end;
    double depth;
    char* directory = NULL;
    qp_request* request = NULL;
    qp_error error;
    (void)argc;

    if (qp_exchange_directory(argv[0], &directory, &error) != QP_OK ||
        qp_read_request(directory, QP_OPTIMUM_UNDERSIZE, &request, &error) != QP_OK) {
        fprintf(stderr, "OptimumUndersize: %s\n", error.message);
        qp_free(directory);
        return 1;
    }

    /* Numbers arrive as "%f" texts with '.' ("12.500000"); this program
     * calls no setlocale, so strtod reads them in the "C" locale. */
    depth = strtod(qp_value(request, "MachiningDepth"), &end);
    if (*end == '\0' && end != qp_value(request, "MachiningDepth") && depth >= 0) {
        snprintf(finishing, sizeof finishing, "%.3f", 0.020);
        snprintf(roughing, sizeof roughing, "%.3f", 0.120 + 0.002 * depth);
        count = 2;
    }
    if (qp_write_answer(directory, QP_OPTIMUM_UNDERSIZE, values, count, &error) != QP_OK)
        fprintf(stderr, "OptimumUndersize: %s\n", error.message);

    qp_free_request(request);
    qp_free(directory);
    return error.code == QP_OK ? 0 : 1;
}
