// Exported functions that take no request.
#include "qellink.h"

#include "boundary/crtMath.h"
#include "boundary/hostText.h"
#include "boundary/qliParameterMap.h"

const char* api_version(void)
{
    return boundary::host_copy("1.0", 3);
}

void set_parameter_value(const char* name, const char* value, int* status)
{
    int error = 0;
    apString key(name, &error);
    if (error) {
        *status = 2;
        return;
    }
    apString text(value, &error);
    if (error) {
        *status = 2;
        return;
    }
    process_parameters().add_parameter(key, text);
    *status = 0;
}

void delete_string(void* text)
{
    delete[] static_cast<char*>(text);
}

double hypot(double x, double y)
{
    return crtmath::hypot(x, y);
}
