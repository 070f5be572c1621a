#include "files/apSystemFileModes.h"

#include <cerrno>
#include <stdio.h>

#include "files/apPath.h"

namespace {

std::FILE* open_wide(const apPath& path, const wchar_t* mode)
{
    const wchar_t* w = path.text().utf16_str();
    if (w == nullptr) {
        errno = ENOENT;
        return nullptr;
    }
    return _wfopen(w, mode);
}

} // namespace

std::FILE* apSystemReadMode::open(const apPath& path) const
{
    return open_wide(path, L"rb");
}

std::FILE* apSystemRWMode::open(const apPath& path) const
{
    return open_wide(path, L"r+b");
}

std::FILE* apSystemWriteMode::open(const apPath& path) const
{
    return open_wide(path, L"wb");
}
