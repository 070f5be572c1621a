// On POSIX the library shares one symbol namespace with the C library and
// exports a function named `hypot` itself, so a plain call could bind back to
// the export. Look up the definition that comes after this object instead.
#include "boundary/crtMath.h"

#include <dlfcn.h>

namespace crtmath {

namespace {

using HypotFn = double (*)(double, double);

HypotFn find_runtime_hypot()
{
    void* next = dlsym(RTLD_NEXT, "hypot");
    if (next != nullptr)
        return reinterpret_cast<HypotFn>(next);
    void* libm = dlopen("libm.so.6", RTLD_NOW | RTLD_LOCAL);
    return libm ? reinterpret_cast<HypotFn>(dlsym(libm, "hypot")) : nullptr;
}

} // namespace

double hypot(double x, double y)
{
    static const HypotFn runtime = find_runtime_hypot();
    return runtime(x, y);
}

} // namespace crtmath
