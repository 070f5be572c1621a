// apPath's text operations: normalising, joining and the parent. The input
// holds a path and, after the first line feed, a relative path to join.
#include <string>

#include "core/apString.h"
#include "files/apPath.h"
#include "fuzzTarget.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const size_t split = bytes.find('\n');
    int error = 0;
    const apString base(bytes.substr(0, split).c_str(), &error);
    const apString relative(split == std::string::npos ? "" : bytes.substr(split + 1).c_str(), &error);
    if (error)
        return 0;

    const apString normal = apPath::normalize(base);
    fuzz_check(apPath::normalize(normal) == normal, "normalising twice changes nothing");
    const apPath path(base);
    const apPath joined = path.join(relative);
    (void)joined.text();
    apString parent = path.parent();
    // Every parent is shorter than its child: climbing ends.
    for (int steps = 0; !parent.is_null() && !parent.is_empty(); ++steps) {
        const apString next = apPath(parent).parent();
        if (next == parent)
            break;
        fuzz_check(steps < 4096, "climbing to the root ends");
        parent = next;
    }
    return 0;
}
