#include <stdio.h>

#include "hostOutput.h"

void host_write(const char* text, unsigned long length)
{
    fwrite(text, 1, length, stdout);
}

int main(void)
{
    int status = run_host();
    fflush(stdout);
    return status;
}
