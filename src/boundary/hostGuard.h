// Exceptions stop at the exported functions: a host written in C has no way
// to catch them, and one that crosses the boundary ends the host's process.
// Allocation failure alone propagates, as the host expects of any
// allocation; every other exception becomes the function's failure value.
#ifndef QEL_BOUNDARY_HOSTGUARD_H
#define QEL_BOUNDARY_HOSTGUARD_H

#include <new>

namespace boundary {

// Status of a query that an unexpected exception ended: the request could
// not be carried out, as when its program fails to start.
constexpr int status_request_failed = 4;

template <class R, class Body>
R guarded(R on_exception, Body&& body)
{
    try {
        return body();
    } catch (const std::bad_alloc&) {
        throw;
    } catch (...) {
        return on_exception;
    }
}

// For the queries: the status is written whenever the call returns. An
// allocation failure propagates instead and leaves the status as the host
// set it (the body writes success only once the answer exists). The body
// gets a status it can always write, even when the host passed none.
template <class Body>
const char* guarded_query(int* status, Body&& body)
{
    int unread = 0;
    int* out = status ? status : &unread;
    try {
        return body(out);
    } catch (const std::bad_alloc&) {
        throw;
    } catch (...) {
        *out = status_request_failed;
        return nullptr;
    }
}

} // namespace boundary

#endif
