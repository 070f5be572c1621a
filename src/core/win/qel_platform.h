// Platform vocabulary for Windows builds: the UTF-16 code unit is wchar_t,
// and exported symbols carry dllexport.
#ifndef QEL_PLATFORM_H
#define QEL_PLATFORM_H

using apWchar = wchar_t;

#define QEL_EXPORT __declspec(dllexport)

#endif
