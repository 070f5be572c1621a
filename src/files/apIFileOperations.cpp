// The operations every implementation inherits, built on the virtual ones.
#include "files/apIFileOperations.h"

#include <cstdio>
#include <new>

#include "files/apFileBufIStream.h"
#include "files/apFileBufOStream.h"

int apIFileOperations::is_file(const apPath& p)
{
    return !p.is_null() && kind(p) == 0 ? 1 : 0;
}

int apIFileOperations::is_directory(const apPath& p)
{
    return !p.is_null() && kind(p) == 1 ? 1 : 0;
}

std::shared_ptr<apIFileIterator> apIFileOperations::list_directory(const apPath& p)
{
    return platform_directory_listing(apPath(apPath::keep_text, p.string()));
}

int apIFileOperations::is_valid(const apPath& p)
{
    return p.is_null() ? 0 : 1;
}

apString apIFileOperations::native(const apPath& p)
{
    return p.text().replace_all(apString("/"), apString("\\"));
}

apStatus apIFileOperations::write_file(const apPath& p, const apByteBuffer& data)
{
    std::FILE* f = write_mode()->open(p);
    if (f == nullptr)
        return apStatus::failure();
    if (!data.is_empty())
        std::fwrite(data.data(), 1, static_cast<size_t>(data.length()), f);
    bool ok = std::ferror(f) == 0;
    // Buffered bytes that cannot be written surface only here.
    if (std::fclose(f) != 0)
        ok = false;
    return apStatus::of(ok);
}

apStatus apIFileOperations::read_file(const apPath& p, apByteBuffer& data)
{
    const std::int64_t size = file_size(p);
    std::FILE* f = read_mode()->open(p);
    if (f == nullptr)
        return apStatus::failure();
    const size_t n = size > 0 ? static_cast<size_t>(size) : 0;
    // Zeroed, so that the bytes of a short read stay 0.
    unsigned char* block = new (std::nothrow) unsigned char[n > 0 ? n : 1]();
    if (block == nullptr) {
        std::fclose(f);
        return apStatus::failure();
    }
    if (n > 0)
        std::fread(block, 1, n, f);
    const bool ok = std::ferror(f) == 0;
    std::fclose(f);
    if (!ok) {
        delete[] block;
        return apStatus::failure();
    }
    data = apByteBuffer::adopt(block, n);
    return apStatus::success();
}

std::int64_t apIFileOperations::file_size(const apPath& p)
{
    std::FILE* f = read_mode()->open(p);
    if (f == nullptr)
        return 0;
    long size = -1;
    if (std::fseek(f, 0, SEEK_END) == 0)
        size = std::ftell(f);
    std::fclose(f);
    return size > 0 ? size : 0;
}

apStatus apIFileOperations::move_file(const apPath& from, const apPath& to)
{
    if (is_file(from) && kind(to) == 2)
        return rename(from, to);
    return apStatus::failure();
}

apStatus apIFileOperations::rename_directory(const apPath& dir, const apFileName& name)
{
    const apPath target = dir.with_string(dir.parent()).join(name);
    if (is_directory(dir) && kind(target) == 2)
        return rename(dir, target);
    return apStatus::failure();
}

apStatus apIFileOperations::rename_entry(const apPath& p, const apFileName& name)
{
    return rename(p, p.with_string(p.parent()).join(name));
}

apString apIFileOperations::absolute(const apPath& p)
{
    return p.string();
}

apStatus apIFileOperations::open_input(const apPath& p, std::unique_ptr<std::istream>& stream)
{
    std::FILE* f = read_mode()->open(p);
    if (f == nullptr)
        return apStatus::failure();
    stream.reset(new apFileBufIStream(f));
    return apStatus::of(stream->good());
}

apStatus apIFileOperations::open_output(const apPath& p, std::unique_ptr<std::ostream>& stream)
{
    std::FILE* f = write_mode()->open(p);
    if (f == nullptr)
        return apStatus::failure();
    stream.reset(new apFileBufOStream(f));
    return apStatus::of(stream->good());
}
