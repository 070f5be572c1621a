// A C++ host against qellink.h and the library alone: a query's const char*
// goes back through delete_string without a cast.
#include <cstdio>
#include <cstring>

#include "qellink.h"

int main()
{
    int status = -1;
    set_parameter_value("ImportStudyPath", "exchange", &status);
    const char* answer = optimum_undersizes("1.2379", "Copper", 12.5, 50.0, 18.0, 120.0, &status);
    if (status != 0 || answer == nullptr)
        return status != 0 ? status : 1;
    std::printf("qellink %d.%d.%d: %s\n", QELLINK_VERSION_MAJOR, QELLINK_VERSION_MINOR,
                QELLINK_VERSION_PATCH, std::strcmp(answer, "0.040\n0.165") == 0 ? "answered" : answer);
    delete_string(answer);
    delete_string(nullptr);
    return 0;
}
