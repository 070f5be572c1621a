/* Prints the library's interface version: the smallest possible host. */
#include <stdio.h>

#include "qellink.h"

int main(void)
{
    const char* version = api_version();
    printf("qellink api_version: %s\n", version);
    delete_string((void*)version);
    return 0;
}
