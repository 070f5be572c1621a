#include "requests/qliUtils.h"

#include <cstring>
#include <memory>

#include "boundary/hostText.h"
#include "core/unicode.h"
#include "core/utString.h"
#include "files/apPath.h"
#include "requests/qliRequestKinds.h"

namespace {

// The values' UTF-8 texts with one line feed between two values, in one
// block sized by a first pass.
utString join_lines(const itIterator<apString>& values)
{
    size_t total = 0;
    size_t count = 0;
    itIterator<apString> sizing(values);
    while (++sizing) {
        apString value = sizing();
        total += unicode::utf8_encoded_length(value.data(), value.length());
        ++count;
    }
    if (count > 1)
        total += count - 1;
    // Held until adopted: the copying below allocates (the iterator, the
    // values' UTF-8 forms) and may fail.
    std::unique_ptr<char[]> block(new char[total + 1]);
    char* out = block.get();
    itIterator<apString> copying(values);
    bool first = true;
    while (++copying) {
        if (!first)
            *out++ = '\n';
        apString value = copying();
        size_t n = std::strlen(value.utf8_str());
        std::memcpy(out, value.utf8_str(), n);
        out += n;
        first = false;
    }
    *out = 0;
    return utString::adopt(block.release(), static_cast<int>(total));
}

} // namespace

template <class T>
const char* qliUtils::make_request(qliParameterMap const& parameters, int& status)
{
    apString study = parameters.parameter("ImportStudyPath").value();
    if (study.is_empty()) {
        status = 2;
        return nullptr;
    }
    apPath directory(study);
    std::unique_ptr<T> request(new T(parameters));
    std::unique_ptr<qliRequestResult> result = request->make_request(directory);
    if (result->result_type() != ok) {
        status = result->result_type();
        return nullptr;
    }
    utString joined = join_lines(result->returned_values());
    const char* answer = boundary::host_copy(joined.c_str(), joined.length());
    // Only now: an allocation failure above propagates to the host, whose
    // status must not say success then.
    status = ok;
    return answer;
}

// Exported for every kind: hosts call them under their decorated names.
#define QEL_MAKE_REQUEST(Class, query, request, root, program, names)                            \
    template QEL_EXPORT const char* qliUtils::make_request<Class>(qliParameterMap const&, int&);
QEL_REQUEST_KINDS(QEL_MAKE_REQUEST)
#undef QEL_MAKE_REQUEST
