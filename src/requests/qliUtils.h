// Runs one request of kind T for a query and hands the answer to the host.
#ifndef QEL_REQUESTS_QLIUTILS_H
#define QEL_REQUESTS_QLIUTILS_H

#include "boundary/qliParameterMap.h"

class QEL_EXPORT qliUtils {
public:
    // A host-owned new[] string of the values joined by "\n", or null; always
    // writes `status` (0, or 2 to 6).
    template <class T>
    static const char* make_request(qliParameterMap const& parameters, int& status);
};

#endif
