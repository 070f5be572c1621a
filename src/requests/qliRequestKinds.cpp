#include "requests/qliRequestKinds.h"

#define QEL_REQUEST_CLASS(Class, query, request, root, program, names)                           \
    Class::Class(qliParameterMap const& parameters)                                              \
        : qliRequestKind(parameters, {QEL_UNWRAP names}, request, root, executable_name())       \
    {                                                                                            \
    }                                                                                            \
    Class::~Class() = default;                                                                   \
    apString Class::executable_name() { return program; }
QEL_REQUEST_KINDS(QEL_REQUEST_CLASS)
#undef QEL_REQUEST_CLASS
