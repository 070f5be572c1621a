/*
 * qelprogram: the request and the answer of a qellink technology program.
 *
 * A technology program is started by the qellink library without arguments,
 * in the host's current directory. It finds the exchange directory as the
 * directory of its own file, reads the request file R_<name>.xml there and
 * must leave the complete answer file A_<name>.xml there before it ends.
 * This kit does those three steps:
 *
 *     char* directory;
 *     qp_request* request;
 *     qp_error error;
 *     if (qp_exchange_directory(argv[0], &directory, &error) != QP_OK ||
 *         qp_read_request(directory, QP_ELECTRODE_MATERIAL, &request, &error) != QP_OK)
 *         ... print error.message, end without an answer ...
 *     const char* part = qp_value(request, "PartMaterial");
 *     const char* values[] = {"Copper", "Graphite"};
 *     qp_write_answer(directory, QP_ELECTRODE_MATERIAL, values, 2, &error);
 *
 * Text is UTF-8 throughout: parameter values, answer values, messages.
 * Paths (the exchange directory) are UTF-8 on Windows and the file system's
 * own bytes on POSIX; hand them back to the kit (qp_open_file) rather than
 * to fopen, which on Windows would read them in the ANSI code page.
 *
 * C99, nothing beyond the C runtime (and kernel32 on Windows). Any bytes,
 * null pointers and unknown kinds are refused with a status code and, when
 * `error` is not NULL, the same code with a message in it.
 */
#ifndef QELPROGRAM_H
#define QELPROGRAM_H

#include <stddef.h>
#include <stdio.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The three questions, one program each. */
typedef enum qp_kind {
    QP_ELECTRODE_MATERIAL = 0, /* ElectrodeMaterial.exe: R_ElectrodeMat.xml, A_ElectrodeMat.xml */
    QP_SURFACE_FINISH = 1,     /* SurfaceFinish.exe: R_SurfaceFinish.xml, A_SurfaceFinish.xml */
    QP_OPTIMUM_UNDERSIZE = 2   /* OptimumUndersize.exe: R_OptimumUndersize.xml, A_OptimumUndersize.xml */
} qp_kind;

typedef enum qp_status {
    QP_OK = 0,
    QP_ERROR_ARGUMENT = 1,     /* a null pointer or an unknown kind was passed to the kit */
    QP_ERROR_MEMORY = 2,       /* memory ran out */
    QP_ERROR_PROGRAM_PATH = 3, /* the program's own file cannot be told, or its name asks no question */
    QP_ERROR_READ = 4,         /* the request file cannot be opened or read */
    QP_ERROR_REQUEST = 5,      /* the request is not in the form the library writes */
    QP_ERROR_VALUE = 6,        /* an answer value that the answer file cannot carry */
    QP_ERROR_WRITE = 7         /* the answer file cannot be written or put in place */
} qp_status;

typedef struct qp_error {
    qp_status code;
    char message[1024]; /* UTF-8, one line, zero-terminated */
} qp_error;

/* The largest request the kit reads, in bytes. */
#define QP_MAX_REQUEST_BYTES (16L * 1024 * 1024)
/* The largest answer the library reads, in bytes: larger ones are refused. */
#define QP_MAX_ANSWER_BYTES (64L * 1024 * 1024)

/* "ElectrodeMaterial.exe", "R_ElectrodeMat.xml", "A_ElectrodeMat.xml" and
 * so on; NULL for an unknown kind. */
const char* qp_program_name(qp_kind kind);
const char* qp_request_file_name(qp_kind kind);
const char* qp_answer_file_name(qp_kind kind);

/* ---- Where the program is ---- */

/* The directory that holds this program's own file: the exchange directory.
 * `argv0` is main's argv[0] (POSIX hands the program's path there; Windows
 * ignores it and asks for the module's file name). The caller frees
 * *directory with qp_free. */
qp_status qp_exchange_directory(const char* argv0, char** directory, qp_error* error);

/* The question this program's file name asks, for one executable installed
 * under the three names: the name without directory and extension, ASCII
 * letter case ignored. */
qp_status qp_program_kind(const char* argv0, qp_kind* kind, qp_error* error);

/* Opens file `name` of `directory` as fopen does (`mode` as for fopen); NULL
 * when it cannot. For data files the program keeps beside itself. */
FILE* qp_open_file(const char* directory, const char* name, const char* mode);

/* ---- The request ---- */

typedef struct qp_request qp_request;

/* Reads R_<name>.xml of `kind` in `directory`. */
qp_status qp_read_request(const char* directory, qp_kind kind, qp_request** request,
                          qp_error* error);

/* The same from the bytes of a request file (for tests). */
qp_status qp_parse_request(const char* bytes, size_t size, qp_kind kind, qp_request** request,
                           qp_error* error);

void qp_free_request(qp_request* request);

/* The parameters in file order. A name or value past the end is NULL; so is
 * the value of a parameter the host set to a null value (<Name/>). */
size_t qp_parameter_count(const qp_request* request);
const char* qp_parameter_name(const qp_request* request, size_t index);
const char* qp_parameter_value(const qp_request* request, size_t index);

/* The value of the first parameter called `name`: never NULL for a request,
 * "" when the request does not carry that parameter or carries a null. */
const char* qp_value(const qp_request* request, const char* name);

/* ---- The answer ---- */

/* Writes A_<name>.xml of `kind` in `directory` with `count` values in order:
 * first under a temporary name, then renamed into place, so that the library
 * never finds half an answer. No values is the answer "nothing known".
 * Every value must be non-empty UTF-8 without control characters other than
 * tab, line feed and carriage return, and without U+FFFE or U+FFFF; the
 * answer must stay within QP_MAX_ANSWER_BYTES. Otherwise nothing is written
 * and the status is QP_ERROR_VALUE. */
qp_status qp_write_answer(const char* directory, qp_kind kind, const char* const* values,
                          size_t count, qp_error* error);

/* The bytes qp_write_answer writes, in a block the caller frees with qp_free
 * (one zero byte after the `*size` bytes). */
qp_status qp_format_answer(qp_kind kind, const char* const* values, size_t count, char** bytes,
                           size_t* size, qp_error* error);

void qp_free(void* block);

#ifdef __cplusplus
}
#endif

#endif
