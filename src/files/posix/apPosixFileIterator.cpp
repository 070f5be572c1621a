#include "files/posix/apPosixFileIterator.h"

#include "core/apIStringEncoding.h"
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
        utString bytes;
        if (!system_path(dir(), bytes))
            return 0;
        stream_ = ::opendir(bytes.c_str());
        if (stream_ == nullptr)
            return 0;
    }
    const dirent* found = ::readdir(stream_);
    if (found == nullptr) {
        // The end of the listing; the next step starts a new one.
        close_search();
        return 0;
    }
    // A name the encoding cannot read is kept as the decoder's message, as a
    // malformed UTF-16 name is on Windows.
    int ignored = 0;
    set_entry(dir().encoding()->decode(found->d_name, &ignored));
    return 1;
}
