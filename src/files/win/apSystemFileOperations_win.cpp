#include "files/apSystemFileOperations.h"

#include <windows.h>

#include <direct.h>
#include <io.h>
#include <share.h>
#include <stdio.h>
#include <wchar.h>

#include "files/apStdioStream.h"
#include "files/win/apWinFileIterator.h"

namespace {

// Clears the read-only attribute.
const int kWritable = 0666;
const DWORD kFullPathUnits = 260;

const wchar_t* wide(const apPath& p)
{
    return p.text().utf16_str();
}

} // namespace

int apSystemFileOperations::kind(const apPath& p)
{
    const apString& t = p.text();
    if (t.length() == 1 && t[0] == '.')
        return 1;
    const wchar_t* w = wide(p);
    if (w == nullptr)
        return 2;
    const DWORD attributes = GetFileAttributesW(w);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return 2;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? 1 : 0;
}

int apSystemFileOperations::remove_file(const apPath& p)
{
    const wchar_t* w = wide(p);
    if (w == nullptr)
        return 0;
    _wchmod(w, kWritable);
    return _wremove(w) == 0 ? 1 : 0;
}

int apSystemFileOperations::make_directory(const apPath& p)
{
    const wchar_t* w = wide(p);
    return w != nullptr && _wmkdir(w) == 0 ? 1 : 0;
}

int apSystemFileOperations::remove_directory(const apPath& p)
{
    if (kind(p) != 1)
        return 0;
    const wchar_t* w = wide(p);
    _wchmod(w, kWritable);
    return _wrmdir(w) == 0 ? 1 : 0;
}

std::int64_t apSystemFileOperations::file_size(const apPath& p)
{
    std::FILE* f = read_mode()->open(p);
    if (f == nullptr)
        return 0;
    __int64 size = -1;
    if (_fseeki64(f, 0, SEEK_END) == 0)
        size = _ftelli64(f);
    std::fclose(f);
    return size > 0 ? size : 0;
}

apString apSystemFileOperations::absolute(const apPath& p)
{
    const wchar_t* w = wide(p);
    if (w == nullptr)
        return apString();
    wchar_t buffer[kFullPathUnits];
    const DWORD n = GetFullPathNameW(w, kFullPathUnits, buffer, nullptr);
    // An answer above the buffer size is the size the result would need.
    if (n == 0 || n > kFullPathUnits)
        return apString();
    int error = 0;
    const apString full(buffer, n, &error);
    if (error)
        return apString();
    return apPath::normalize(full);
}

apStatus apSystemFileOperations::open_input(const apPath& p, std::unique_ptr<std::istream>& stream)
{
    const wchar_t* w = wide(p);
    std::FILE* f = w != nullptr ? _wfsopen(w, L"rb", _SH_DENYNO) : nullptr;
    stream.reset(new apStdioIStream(f));
    return apStatus::of(stream->good());
}

apStatus apSystemFileOperations::open_output(const apPath& p, std::unique_ptr<std::ostream>& stream)
{
    const wchar_t* w = wide(p);
    std::FILE* f = w != nullptr ? _wfsopen(w, L"wb", _SH_DENYNO) : nullptr;
    stream.reset(new apStdioOStream(f));
    return apStatus::of(stream->good());
}

apStatus apSystemFileOperations::rename(const apPath& from, const apPath& to)
{
    const wchar_t* a = wide(from);
    const wchar_t* b = wide(to);
    return apStatus::of(a != nullptr && b != nullptr && _wrename(a, b) == 0);
}

apIFileOperations* default_file_operations()
{
    // Created on first use, destroyed at exit (or when the library unloads).
    static apSystemFileOperations operations;
    return &operations;
}
