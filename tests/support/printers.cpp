#include "support/printers.h"

#include <ios>

void PrintTo(const apString& s, std::ostream* out)
{
    if (s.is_null()) {
        *out << "<null>";
        return;
    }
    std::ios::fmtflags flags = out->flags();
    *out << "{" << std::hex;
    for (size_t i = 0; i < s.length(); ++i)
        *out << (i ? " " : "") << "U+" << s[i];
    *out << "}";
    out->flags(flags);
}
