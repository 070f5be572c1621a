#include <windows.h>

#include <string>

#include "support/dynlib.h"

namespace testsupport {

DynamicLibrary::DynamicLibrary(const std::string& file)
    : handle_(LoadLibraryW(std::wstring(file.begin(), file.end()).c_str()))
{
}

DynamicLibrary::~DynamicLibrary()
{
    if (handle_)
        FreeLibrary(static_cast<HMODULE>(handle_));
}

void* DynamicLibrary::symbol(const char* name) const
{
    return handle_ ? reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name))
                   : nullptr;
}

} // namespace testsupport
