// The request classes, one per row of the kind table: each binds its row's
// request name, root element, program and parameter names to qliRequestKind.
// Hosts link against these class names, so they stay as they are.
#ifndef QEL_REQUESTS_QLIREQUESTKINDS_H
#define QEL_REQUESTS_QLIREQUESTKINDS_H

#include <cstddef>

#include "requests/qliRequestKind.h"
#include "requests/requestKindTable.h"

namespace requestKinds {

// How many parameter names a row lists: the size of its kind's snapshot.
template <class... Names>
constexpr std::size_t count(Names...)
{
    return sizeof...(Names);
}

} // namespace requestKinds

#define QEL_REQUEST_CLASS(Class, query, request, root, program, names)                           \
    class QEL_EXPORT Class : public qliRequestKind<requestKinds::count names> {                   \
    public:                                                                                      \
        explicit Class(qliParameterMap const& parameters);                                       \
        ~Class() override;                                                                       \
        static apString executable_name(); /* the row's program */                              \
    };
QEL_REQUEST_KINDS(QEL_REQUEST_CLASS)
#undef QEL_REQUEST_CLASS

#endif
