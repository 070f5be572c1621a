// apStringFormatter::format over formats made of the fuzzer's bytes. The
// formatter reads arguments by directive and cannot check their types, so
// the first byte picks one argument type, every conversion character of
// another type is replaced by one of this type, and every directive gets an
// argument of it: the argument list is right for any directive sequence.
// Widths and precisions are cut to four digits: the formatter honours any
// width, and one of 2^31 asks for gigabytes, which no format of the library
// comes near (its formats are its own constants).
#include <vector>

#include "core/apString.h"
#include "core/apStringFormatter.h"
#include "fuzzTarget.h"

namespace {

// No format may hold more directives than there are arguments.
const size_t kArguments = 16;

bool is_one_of(apString::codepoint c, const char* set)
{
    for (; *set; ++set)
        if (c == static_cast<unsigned char>(*set))
            return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0 || size > 4096)
        return 0;
    const int kind = data[0] % 3; // 0 integers, 1 floating point, 2 strings
    const char* const others[] = {"feEgGs", "duxXs", "duxXfeEgG"};
    const apString::codepoint replacement[] = {'d', 'g', 's'};
    std::vector<apString::codepoint> text;
    size_t percents = 0;
    size_t digits = 0; // in a row
    for (size_t i = 1; i < size; ++i) {
        apString::codepoint c = data[i];
        if (c == '%' && ++percents > kArguments)
            break;
        digits = c >= '0' && c <= '9' ? digits + 1 : 0;
        if (digits > 4)
            continue;
        if (is_one_of(c, others[kind]))
            c = replacement[kind];
        text.push_back(c);
    }
    int error = 0;
    const apString format(text.data(), text.size(), &error);
    if (error)
        return 0;

    apString result;
    switch (kind) {
    case 0:
        result = apStringFormatter::format(format, -7, 0, 42, -2147483647 - 1, 2147483647, 1, -1, 65535, 9, 10,
                                           11, 12, 13, 14, 15, 16);
        break;
    case 1:
        result = apStringFormatter::format(format, 0.0, -0.0, 1.5, -1e300, 1e-300, 3.14159, 1e21, 2.5e-7,
                                           123456789.0, -42.0, 0.1, 1e308, 5e-324, 7.0, 8.0, 9.0);
        break;
    default: {
        const apString a("text"), empty(""), null, wide("\xC3\xA4\xE4\xB8\x80\xF0\x9F\x98\x80");
        result = apStringFormatter::format(format, &a, &empty, &null, &wide, &a, &empty, &null, &wide, &a,
                                           &empty, &null, &wide, &a, &empty, &null, &wide);
        break;
    }
    }
    fuzz_check(!result.is_null() || format.is_null(), "a format always gives text");
    return 0;
}
