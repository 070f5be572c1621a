#include <windows.h>
#include <psapi.h>

#include "support/processResources.h"

namespace testsupport {

ProcessResources process_resources()
{
    ProcessResources now{-1, 0};
    DWORD handles = 0;
    if (GetProcessHandleCount(GetCurrentProcess(), &handles))
        now.open_files = static_cast<long>(handles);
    PROCESS_MEMORY_COUNTERS counters{};
    if (K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
        now.resident_kib = counters.WorkingSetSize / 1024;
    return now;
}

} // namespace testsupport
