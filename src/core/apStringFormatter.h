// apStringFormatter: printf-like formatting into a new apString.
//
//   apString size = apString("%d x %d");
//   apString text = apStringFormatter::format(size, 3, 4);           // "3 x 4"
//   apString a("A"), b("B");
//   apStringFormatter::format(apString("%2$s %1$s"), &a, &b);          // "B A"
//
// Arguments: d an int, u/x/X an unsigned int, f/e/E/g/G a double, s a
// pointer to an apString; "%%" reads nothing. A directive is "%", an
// optional "n$" position, an optional "0" and width, an optional
// ".precision" and the conversion. Any other conversion character (a flag,
// a length modifier such as "l") yields "Error formatting string" and reads
// no argument. Argument types are not checked.
//
// A format whose first directive is positional is positional throughout:
// arguments are then read in position order. In such a format "%%" and
// unknown conversions still work; a directive without a position, or with
// a position that is beyond the directive count or already taken, yields
// "Error formatting string" and reads nothing.
#ifndef QEL_CORE_APSTRINGFORMATTER_H
#define QEL_CORE_APSTRINGFORMATTER_H

#include <cstdarg>

#include "core/apString.h"

class apStringFormatter {
public:
    static apString format(apString format, ...);
    static apString vformat(const apString& format, va_list args);
};

#endif
