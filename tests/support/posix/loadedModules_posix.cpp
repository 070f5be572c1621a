#include <fstream>

#include "support/loadedModules.h"

namespace testsupport {

bool module_loaded(const std::string& file_name)
{
    std::ifstream maps("/proc/self/maps");
    for (std::string line; std::getline(maps, line);) {
        const auto slash = line.rfind('/');
        if (slash != std::string::npos && line.compare(slash + 1, std::string::npos, file_name) == 0)
            return true;
    }
    return false;
}

} // namespace testsupport
