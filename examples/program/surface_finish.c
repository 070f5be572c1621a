/*
 * SurfaceFinish.exe in a few lines: the finish classes (VDI 3400) a part
 * and electrode material pair reaches, finest first. Made-up rule: copper
 * reaches class 12, any other electrode class 18, up to class 45.
 */
#include <stdio.h>
#include <string.h>

#include "qelprogram.h"

int main(int argc, char** argv)
{
    char classes[12][4];
    const char* values[12];
    size_t count = 0;
    int finest, vdi;
    char* directory = NULL;
    qp_request* request = NULL;
    qp_error error;
    (void)argc;

    if (qp_exchange_directory(argv[0], &directory, &error) != QP_OK ||
        qp_read_request(directory, QP_SURFACE_FINISH, &request, &error) != QP_OK) {
        fprintf(stderr, "SurfaceFinish: %s\n", error.message);
        qp_free(directory);
        return 1;
    }

    /* An unknown part gets no values. */
    if (strcmp(qp_value(request, "PartMaterial"), "1.2379") == 0) {
        finest = strcmp(qp_value(request, "ElectrodeMaterial"), "Copper") == 0 ? 12 : 18;
        for (vdi = finest; vdi <= 45; vdi += 3) {
            snprintf(classes[count], sizeof classes[count], "%d", vdi);
            values[count] = classes[count];
            ++count;
        }
    }
    if (qp_write_answer(directory, QP_SURFACE_FINISH, values, count, &error) != QP_OK)
        fprintf(stderr, "SurfaceFinish: %s\n", error.message);

    qp_free_request(request);
    qp_free(directory);
    return error.code == QP_OK ? 0 : 1;
}
