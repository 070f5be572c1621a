#include <signal.h>
#include <unistd.h>

#include <cstdlib>

#include "self.h"

namespace testprogram {

std::filesystem::path own_file(char** argv)
{
    return argv[0];
}

long process_id()
{
    return static_cast<long>(getpid());
}

void crash()
{
    raise(SIGSEGV);
    std::abort();
}

} // namespace testprogram
