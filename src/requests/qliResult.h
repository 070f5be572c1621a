// Outcome code of one request; 3 to 6 reach the host unchanged as statuses.
#ifndef QEL_REQUESTS_QLIRESULT_H
#define QEL_REQUESTS_QLIRESULT_H

#include <cstdint>

enum qliResult : std::int32_t {
    ok = 0,
    path_is_directory = 3, // the request or answer path is an existing directory
    execution_failed = 4,  // request not written, program not started or not ended in time
    no_answer = 5,         // the program ended without leaving an answer file
    invalid_answer = 6,    // the answer file failed to open, load or validate
};

#endif
