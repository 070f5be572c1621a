// Exported functions that take no request.
#include "qellink.h"

#include "boundary/crtMath.h"
#include "boundary/hostGuard.h"
#include "boundary/hostText.h"
#include "boundary/qliParameterMap.h"

const char* api_version(void)
{
    return boundary::guarded<const char*>(nullptr, [] { return boundary::host_copy("1.0", 3); });
}

void set_parameter_value(const char* name, const char* value, int* status)
{
    // Nothing but allocation can fail past the conversions; should anything
    // throw, the map keeps its old value and the status says the value was
    // not taken.
    int result = boundary::guarded(2, [&] {
        int error = 0;
        apString key(name, &error);
        if (error)
            return 2;
        apString text(value, &error);
        if (error)
            return 2;
        process_parameters().add_parameter(key, text);
        return 0;
    });
    if (status)
        *status = result;
}

void delete_string(void* text)
{
    delete[] static_cast<char*>(text);
}

double hypot(double x, double y)
{
    return crtmath::hypot(x, y);
}
