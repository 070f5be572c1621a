#include <cstdio>
#include <cstdlib>

#include "fuzzTarget.h"

void fuzz_check(bool holds, const char* what)
{
    if (holds)
        return;
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}
