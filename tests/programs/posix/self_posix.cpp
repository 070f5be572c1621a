#include <signal.h>
#include <spawn.h>
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

bool start_self(char** argv, const char* argument)
{
    char* const arguments[] = {argv[0], const_cast<char*>(argument), nullptr};
    pid_t child = 0;
    // Not waited for: when this process ends first, the child is adopted.
    return posix_spawn(&child, argv[0], nullptr, nullptr, arguments, environ) == 0;
}

void crash()
{
    raise(SIGSEGV);
    std::abort();
}

} // namespace testprogram
