#include "support/scopedLocale.h"

#include <clocale>

namespace testsupport {

ScopedLocale::ScopedLocale(std::initializer_list<const char*> names) : active_(false)
{
    const char* current = std::setlocale(LC_CTYPE, nullptr);
    previous_ = current ? current : "C";
    for (const char* name : names)
        if (std::setlocale(LC_CTYPE, name) != nullptr) {
            active_ = true;
            return;
        }
}

ScopedLocale::~ScopedLocale()
{
    std::setlocale(LC_CTYPE, previous_.c_str());
}

} // namespace testsupport
