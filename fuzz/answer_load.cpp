// Bytes as an answer file: encoding detection, decoding, parsing and the
// extraction of the answer values, as a query reads them.
#include <sstream>
#include <string>
#include <vector>

#include "core/coiFiller.h"
#include "fuzzTarget.h"
#include "requests/qliAnswerFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    qliAnswerFile answer(in);
    if (!answer.invalid()) {
        std::vector<apString> values;
        answer.answer_values(coiFillers::make_filler(values));
        for (const apString& value : values) {
            fuzz_check(!value.is_empty(), "a valid answer holds no empty value");
            fuzz_check(value.utf8_str() != nullptr, "every value has a UTF-8 form");
        }
    }
    return 0;
}
