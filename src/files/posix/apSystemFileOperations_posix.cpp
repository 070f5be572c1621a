#include "files/apSystemFileOperations.h"

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

#include "files/apStdioStream.h"
#include "files/posix/apPosixFileIterator.h"
#include "files/posix/lexicalPath.h"
#include "files/posix/renameNoReplace.h"
#include "files/posix/systemPath.h"

int apSystemFileOperations::kind(const apPath& p)
{
    const apString& t = p.text();
    if (t.length() == 1 && t[0] == '.')
        return 1;
    const char* bytes = system_path(p);
    struct stat st;
    if (bytes == nullptr || ::stat(bytes, &st) != 0)
        return 2;
    return S_ISDIR(st.st_mode) ? 1 : 0;
}

int apSystemFileOperations::remove_file(const apPath& p)
{
    const char* bytes = system_path(p);
    struct stat st;
    if (bytes == nullptr || ::lstat(bytes, &st) != 0)
        return 0;
    // chmod would lock a directory and change a link's target.
    if (S_ISDIR(st.st_mode)) {
        errno = EISDIR;
        return 0;
    }
    if (!S_ISLNK(st.st_mode))
        ::chmod(bytes, 0666);
    return ::unlink(bytes) == 0 ? 1 : 0;
}

int apSystemFileOperations::make_directory(const apPath& p)
{
    const char* bytes = system_path(p);
    return bytes != nullptr && ::mkdir(bytes, 0777) == 0 ? 1 : 0;
}

int apSystemFileOperations::remove_directory(const apPath& p)
{
    if (kind(p) != 1)
        return 0;
    // Removing a directory needs no permission on the directory itself, and
    // a chmod would make a directory that stays (not empty) unreadable.
    const char* bytes = system_path(p);
    return bytes != nullptr && ::rmdir(bytes) == 0 ? 1 : 0;
}

std::int64_t apSystemFileOperations::file_size(const apPath& p)
{
    std::FILE* f = read_mode()->open(p);
    if (f == nullptr)
        return 0;
    off_t size = -1;
    if (::fseeko(f, 0, SEEK_END) == 0)
        size = ::ftello(f);
    std::fclose(f);
    return size > 0 ? size : 0;
}

apString apSystemFileOperations::absolute(const apPath& p)
{
    return lexical_absolute(p);
}

apStatus apSystemFileOperations::open_input(const apPath& p, std::unique_ptr<std::istream>& stream)
{
    stream.reset(new apStdioIStream(read_mode()->open(p)));
    return apStatus::of(stream->good());
}

apStatus apSystemFileOperations::open_output(const apPath& p, std::unique_ptr<std::ostream>& stream)
{
    stream.reset(new apStdioOStream(write_mode()->open(p)));
    return apStatus::of(stream->good());
}

apStatus apSystemFileOperations::rename(const apPath& from, const apPath& to)
{
    const char* a = system_path(from);
    const char* b = system_path(to);
    return apStatus::of(a != nullptr && b != nullptr && rename_no_replace(a, b) == 0);
}

apIFileOperations* default_file_operations()
{
    // Created on first use, destroyed at exit (or when the library unloads).
    static apSystemFileOperations operations;
    return &operations;
}
