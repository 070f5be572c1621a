#include <dlfcn.h>

#include "support/dynlib.h"

namespace testsupport {

DynamicLibrary::DynamicLibrary(const std::string& file)
    : handle_(dlopen(("./" + file).c_str(), RTLD_NOW | RTLD_LOCAL))
{
}

DynamicLibrary::~DynamicLibrary()
{
    if (handle_)
        dlclose(handle_);
}

void* DynamicLibrary::symbol(const char* name) const
{
    return handle_ ? dlsym(handle_, name) : nullptr;
}

} // namespace testsupport
