// Windows: CreateProcessW and a wait on the process handle.
#include <windows.h>

#include <cstring>
#include <memory>

#include "requests/process.h"

namespace process {

int start_and_wait(const apString& program_path, unsigned timeout_ms)
{
    // The name goes to the system in a buffer of its own, terminator
    // included; a null path becomes the empty name, which fails to start.
    const apWchar* text = program_path.utf16_str();
    const size_t units = text ? program_path.utf16_length() : 0;
    std::unique_ptr<wchar_t[]> name(new wchar_t[units + 1]);
    if (units != 0)
        std::memcpy(name.get(), text, units * sizeof(wchar_t));
    name[units] = 0;

    static_assert(sizeof(STARTUPINFOW) == 104, "64-bit STARTUPINFOW");
    STARTUPINFOW startup;
    std::memset(&startup, 0, sizeof startup);
    startup.cb = 104;
    PROCESS_INFORMATION info;
    std::memset(&info, 0, sizeof info);

    // No command line: the program sees only its own path.
    if (!CreateProcessW(name.get(), nullptr, nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &startup, &info)) {
        (void)GetLastError();
        return 0;
    }
    const DWORD waited = WaitForSingleObject(info.hProcess, timeout_ms);
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
    return waited == WAIT_OBJECT_0 ? 1 : 0;
}

} // namespace process
