// POSIX: both files are named by the UTF-8 bytes of the path, and only
// regular files are opened.
#include "requests/exchangeFiles.h"

#include <fcntl.h>

#include "files/apStdioStream.h"
#include "files/posix/regularFile.h"

namespace exchange {

std::unique_ptr<std::ostream> create_request(const apPath& file)
{
    // Exclusive: a link that appeared where the stale file was is not
    // followed, a file there is not truncated.
    return std::unique_ptr<std::ostream>(new apStdioOStream(
        open_regular_file(file, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, "wb")));
}

std::unique_ptr<std::istream> open_answer(const apPath& file)
{
    return std::unique_ptr<std::istream>(
        new apStdioIStream(open_regular_file(file, O_RDONLY, "rb")));
}

} // namespace exchange
