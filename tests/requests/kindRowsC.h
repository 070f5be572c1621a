/* The kind table as a C program expands it (kindRowsC.c): the command-line
   host and the technology programs are C. */
#ifndef QEL_TESTS_REQUESTS_KINDROWSC_H
#define QEL_TESTS_REQUESTS_KINDROWSC_H

#ifdef __cplusplus
extern "C" {
#endif

struct kind_row_c {
    const char* query;
    const char* request;
    const char* root;
    const char* program;
    const char* first_parameter;
    int parameter_count;
};

extern const struct kind_row_c kind_rows_c[];
extern const int kind_row_count_c;

#ifdef __cplusplus
}
#endif

#endif
