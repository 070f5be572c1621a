#include <windows.h>

#include <cstdlib>
#include <string>

#include "self.h"

namespace testprogram {

std::filesystem::path own_file(char**)
{
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, &name[0], static_cast<DWORD>(name.size()));
        if (n < name.size()) {
            name.resize(n);
            return name;
        }
        name.resize(name.size() * 2);
    }
}

long process_id()
{
    return static_cast<long>(GetCurrentProcessId());
}

void crash()
{
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    RaiseException(EXCEPTION_ACCESS_VIOLATION, EXCEPTION_NONCONTINUABLE, 0, nullptr);
    std::abort();
}

} // namespace testprogram
