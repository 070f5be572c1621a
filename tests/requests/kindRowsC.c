/* Compiled as C: the kind table must stay plain C for the programs around
   the library. */
#include "kindRowsC.h"

#include "requests/requestKindTable.h"

#define FIRST(...) FIRST_(__VA_ARGS__, ~)
#define FIRST_(first, ...) first

#define KIND_ROW_C(Class, query, request, root, program, names)                                  \
    {#query, request, root, program, FIRST names,                                                \
     (int)(sizeof((const char*[]){QEL_UNWRAP names}) / sizeof(const char*))},

const struct kind_row_c kind_rows_c[] = {QEL_REQUEST_KINDS(KIND_ROW_C)};
const int kind_row_count_c = (int)(sizeof kind_rows_c / sizeof kind_rows_c[0]);
