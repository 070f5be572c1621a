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

bool start_self(char** argv, const char* argument)
{
    const std::wstring file = own_file(argv).wstring();
    std::wstring command = L"\"" + file + L"\" " + std::wstring(argument, argument + std::char_traits<char>::length(argument));
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(file.c_str(), &command[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                        &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

void crash()
{
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    RaiseException(EXCEPTION_ACCESS_VIOLATION, EXCEPTION_NONCONTINUABLE, 0, nullptr);
    std::abort();
}

} // namespace testprogram
