// A list of values written by the kit and read by the library's answer
// reader: the reader gives back exactly those values, or the kit refused
// them before writing anything. The first byte picks the kind; the rest is
// the values, separated by zero bytes.
#include <sstream>
#include <string>
#include <vector>

#include "core/coiFiller.h"
#include "fuzzTarget.h"
#include "qelprogram.h"
#include "requests/qliAnswerFile.h"

namespace {

// Values that no rule of the answer could refuse: non-empty printable ASCII,
// tabs and line ends.
bool plainly_acceptable(const std::vector<std::string>& values)
{
    for (const std::string& value : values) {
        if (value.empty())
            return false;
        for (unsigned char c : value)
            if (c >= 0x7F || (c < 0x20 && c != '\t' && c != '\n' && c != '\r'))
                return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const qp_kind kind = static_cast<qp_kind>(data[0] % 3);
    std::vector<std::string> values;
    if (size > 1) {
        const std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
        size_t start = 0;
        for (;;) {
            const size_t end = rest.find('\0', start);
            values.push_back(rest.substr(start, end - start));
            if (end == std::string::npos)
                break;
            start = end + 1;
        }
    }
    std::vector<const char*> pointers;
    for (const std::string& value : values)
        pointers.push_back(value.c_str());

    char* bytes = nullptr;
    size_t length = 0;
    qp_error error;
    const qp_status status = qp_format_answer(kind, pointers.data(), pointers.size(), &bytes, &length, &error);
    if (status != QP_OK) {
        fuzz_check(status == QP_ERROR_VALUE && bytes == nullptr, "a refusal is about the values and gives no bytes");
        fuzz_check(!plainly_acceptable(values), "plain values are never refused");
        return 0;
    }
    std::istringstream in(std::string(bytes, length));
    qp_free(bytes);
    qliAnswerFile answer(in);
    fuzz_check(!answer.invalid(), "the library takes every answer the kit writes");
    std::vector<apString> read;
    answer.answer_values(coiFillers::make_filler(read));
    fuzz_check(read.size() == values.size(), "the library reads as many values as were written");
    for (size_t k = 0; k < read.size() && k < values.size(); ++k)
        fuzz_check(read[k].utf8_str() == values[k], "the library reads each value back byte for byte");
    return 0;
}
