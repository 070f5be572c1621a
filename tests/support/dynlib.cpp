#include "support/dynlib.h"

namespace testsupport {

std::string library_file()
{
    return QEL_LIBRARY_FILE;
}

} // namespace testsupport
