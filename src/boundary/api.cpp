// Exported functions that take no request.
#include "qellink.h"

#include <cstring>

#include "boundary/hostText.h"

const char* api_version(void)
{
    return boundary::host_copy("1.0", 3);
}

void delete_string(void* text)
{
    delete[] static_cast<char*>(text);
}
