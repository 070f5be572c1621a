#include <windows.h>

#include "support/loadedModules.h"

namespace testsupport {

bool module_loaded(const std::string& file_name)
{
    return GetModuleHandleW(std::wstring(file_name.begin(), file_name.end()).c_str()) != nullptr;
}

} // namespace testsupport
