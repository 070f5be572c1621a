// Bytes as a request file read by the kit (the first byte picks the kind):
// any input is read or refused with a message, and what is read is UTF-8.
#include <cstring>

#include "core/apString.h"
#include "fuzzTarget.h"
#include "qelprogram.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const qp_kind kind = static_cast<qp_kind>(data[0] % 3);
    qp_request* request = nullptr;
    qp_error error;
    const qp_status status =
        qp_parse_request(reinterpret_cast<const char*>(data + 1), size - 1, kind, &request, &error);
    fuzz_check((status == QP_OK) == (request != nullptr), "a request exactly when the status is OK");
    fuzz_check(status == QP_OK || status == QP_ERROR_REQUEST, "bytes are read or refused as a request");
    fuzz_check(error.code == status && std::strlen(error.message) < sizeof error.message,
               "the error repeats the status with a terminated message");
    fuzz_check((status == QP_OK) == (error.message[0] == '\0'), "a message exactly for a refusal");
    for (size_t k = 0; k < qp_parameter_count(request); ++k) {
        const char* name = qp_parameter_name(request, k);
        const char* value = qp_parameter_value(request, k);
        fuzz_check(name && *name, "every parameter has a name");
        fuzz_check(std::strcmp(qp_value(request, name), "") == 0 || value != nullptr,
                   "qp_value answers a value for every name");
        int failed = 0;
        apString(name, &failed);
        fuzz_check(!failed, "names are UTF-8");
        if (value) {
            apString(value, &failed);
            fuzz_check(!failed, "values are UTF-8");
        }
    }
    qp_free_request(request);
    return 0;
}
