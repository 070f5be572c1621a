// Windows passes the program no arguments and no reliable argv[0]; the module
// file name is the full path in UTF-16.
#include <windows.h>

#include <vector>

#include "programFile.h"

namespace techprog {

apString program_file(const char*)
{
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0)
            return apString();
        if (n < buffer.size()) {
            int error = 0;
            apString path(buffer.data(), n, &error);
            return error ? apString() : path;
        }
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace techprog
