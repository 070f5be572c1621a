#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

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
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.compare(0, 8, "Threads:") == 0)
            now.threads = std::stol(line.substr(8));
    // Every process's parent is the fourth field of its stat line, after a
    // name in parentheses that may itself hold blanks and parentheses.
    const long self = static_cast<long>(getpid());
    long children = 0;
    for (std::filesystem::directory_iterator it("/proc", error), end; !error && it != end; it.increment(error)) {
        std::string stat;
        if (!std::getline(std::ifstream(it->path() / "stat"), stat))
            continue;
        const size_t name_end = stat.rfind(')');
        if (name_end == std::string::npos)
            continue;
        std::istringstream fields(stat.substr(name_end + 1));
        std::string state;
        long parent = 0;
        if (fields >> state >> parent && parent == self)
            ++children;
    }
    if (!error)
        now.children = children;
    // Last: the reading above takes memory of its own the first time.
    size_t pages = 0, resident = 0;
    if (std::ifstream("/proc/self/statm") >> pages >> resident)
        now.resident_kib = resident * static_cast<size_t>(sysconf(_SC_PAGESIZE)) / 1024;
    return now;
}

} // namespace testsupport
