// The code-page conversions of every code page the library names: the first
// byte picks the page, the rest is taken once as bytes in that page and once
// as UTF-16 text. Whatever one direction answers, the other must read back:
// decoded text encodes without loss and decodes to itself again, and encoded
// bytes that decode give text that encodes to the same bytes.
#include <string>
#include <vector>

#include "core/apString.h"
#include "core/apStringCPEncoding.h"
#include "core/utString.h"
#include "fuzzTarget.h"

namespace {

const unsigned int kCodePages[] = {852,  866,  874,  932,  936,  949,  950,   1250,  1251, 1252,
                                   1253, 1254, 1255, 1256, 1257, 1258, 20866, 28592, 50225};

void check_bytes(const apStringCPEncoding& page, const std::string& bytes)
{
    int error = -1;
    const apString text = page.decode(bytes.c_str(), &error);
    fuzz_check(error == 0 || error == 1, "decoding sets the error flag to 0 or 1");
    if (error)
        return;
    int encode_error = -1;
    const utString again = page.encode(text, &encode_error);
    fuzz_check(encode_error == 0, "decoded text has a form in its own code page");
    int back_error = -1;
    fuzz_check(page.decode(again.c_str(), &back_error) == text && back_error == 0,
               "decoded text encodes and decodes to itself");
}

void check_text(const apStringCPEncoding& page, const std::string& input)
{
    std::vector<apWchar> units;
    for (size_t i = 0; i + 1 < input.size(); i += 2) {
        const apWchar unit = static_cast<apWchar>(static_cast<unsigned char>(input[i]) |
                                                  static_cast<unsigned char>(input[i + 1]) << 8);
        if (unit == 0)
            break;
        units.push_back(unit);
    }
    int error = 0;
    const apString text(units.data(), units.size(), &error);
    if (error)
        return;
    int encode_error = -1;
    const utString bytes = page.encode(text, &encode_error);
    fuzz_check(encode_error == 0 || encode_error == 1, "encoding sets the error flag to 0 or 1");
    // Windows' best fit maps a few characters to bytes its own decoder
    // refuses (private-use characters in 874 and 1255, for one), so encoded
    // bytes need not decode; when they do, they must stand still.
    int decode_error = -1;
    const apString back = page.decode(bytes.c_str(), &decode_error);
    fuzz_check(decode_error == 0 || decode_error == 1, "decoding sets the error flag to 0 or 1");
    if (decode_error)
        return;
    int again_error = -1;
    const utString again = page.encode(back, &again_error);
    fuzz_check(again_error == 0 && std::string(again.c_str()) == bytes.c_str(),
               "encoded bytes decode to text that encodes to the same bytes");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0 || size > 4096)
        return 0;
    const apStringCPEncoding page(kCodePages[data[0] % (sizeof kCodePages / sizeof kCodePages[0])]);
    const std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
    check_bytes(page, std::string(rest.c_str())); // up to the first zero, as the decoder reads it
    check_text(page, rest);
    return 0;
}
