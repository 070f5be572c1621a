/* POSIX: the arguments arrive as the bytes the caller passed, which in a
 * UTF-8 locale are UTF-8 already. */
#include "qelqueryMain.h"

int main(int argc, char** argv)
{
    return qelquery_main(argc, argv);
}
