#include "files/posix/apPosixFileIterator.h"

#include "files/posix/systemPath.h"

apPosixFileIterator::apPosixFileIterator(const apPath& dir)
    : apIFileIterator(dir), not_a_directory_(1), stream_(nullptr)
{
    if (dir.is_directory())
        not_a_directory_ = 0;
}

apPosixFileIterator::~apPosixFileIterator()
{
    close_search();
}

void apPosixFileIterator::close_search() noexcept
{
    if (stream_ != nullptr)
        ::closedir(stream_);
    stream_ = nullptr;
}

int apPosixFileIterator::next()
{
    if (idle()) {
        const char* bytes = system_path(dir());
        if (bytes == nullptr)
            return 0;
        stream_ = ::opendir(bytes);
        if (stream_ == nullptr)
            return 0;
    }
    const dirent* found = ::readdir(stream_);
    if (found == nullptr) {
        // The end of the listing; the next step starts a new one.
        close_search();
        return 0;
    }
    // Names are UTF-8, whatever the locale. One that is not is kept as the
    // decoder's message with its error flag, as a malformed UTF-16 name is
    // on Windows.
    int ignored = 0;
    set_entry(apString(found->d_name, &ignored));
    return 1;
}

std::shared_ptr<apIFileIterator> platform_directory_listing(const apPath& dir)
{
    return std::make_shared<apPosixFileIterator>(dir);
}
