// Platform vocabulary for Windows builds: the UTF-16 code unit is wchar_t,
// and exported symbols carry dllexport.
#ifndef QEL_PLATFORM_H
#define QEL_PLATFORM_H

using apWchar = wchar_t;

#define QEL_EXPORT __declspec(dllexport)

// A template instance that the library exports: its explicit instantiation
// with the dllexport template exports it, whatever other object files make.
#define QEL_EXPORTED_INSTANCE(instance) static_assert(true, "")

#endif
