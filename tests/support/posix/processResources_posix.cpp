#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "support/processResources.h"

namespace testsupport {

ProcessResources process_resources()
{
    ProcessResources now{-1, 0};
    std::error_code error;
    long files = 0;
    for (std::filesystem::directory_iterator it("/proc/self/fd", error), end; !error && it != end;
         it.increment(error))
        ++files;
    if (!error)
        now.open_files = files - 1; // the iterator's own descriptor
    size_t pages = 0, resident = 0;
    if (std::ifstream("/proc/self/statm") >> pages >> resident)
        now.resident_kib = resident * static_cast<size_t>(sysconf(_SC_PAGESIZE)) / 1024;
    return now;
}

} // namespace testsupport
