// The rows of the request kinds' table as strings, for the tests that hold
// the library, the kit and the reference program to it.
#ifndef QEL_TEST_KINDROWS_H
#define QEL_TEST_KINDROWS_H

#include <string>
#include <vector>

#include "requests/requestKindTable.h"

namespace testsupport {

struct KindRow {
    std::string query;
    std::string request;
    std::string root;
    std::string program;
    std::vector<std::string> parameters;
};

// In the table's order.
inline const std::vector<KindRow>& kind_rows()
{
#define QEL_KIND_ROW(Class, query, request, root, program, names) {#query, request, root, program, {QEL_UNWRAP names}},
    static const std::vector<KindRow> rows = {QEL_REQUEST_KINDS(QEL_KIND_ROW)};
#undef QEL_KIND_ROW
    return rows;
}

} // namespace testsupport

#endif
