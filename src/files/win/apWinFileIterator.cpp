#include "files/win/apWinFileIterator.h"

apWinFileIterator::apWinFileIterator(const apPath& dir)
    : apIFileIterator(dir), not_a_directory_(1), search_handle_(INVALID_HANDLE_VALUE)
{
    if (dir.is_directory())
        not_a_directory_ = 0;
}

apWinFileIterator::~apWinFileIterator()
{
    close_search();
}

void apWinFileIterator::close_search() noexcept
{
    if (search_handle_ != INVALID_HANDLE_VALUE)
        FindClose(search_handle_);
    search_handle_ = INVALID_HANDLE_VALUE;
}

int apWinFileIterator::next()
{
    WIN32_FIND_DATAW found;
    if (idle()) {
        if (dir().is_null())
            return 0;
        const apString pattern = dir().text() + apString("/*");
        search_handle_ = FindFirstFileW(pattern.utf16_str(), &found);
        if (search_handle_ == INVALID_HANDLE_VALUE)
            return 0;
    } else if (!FindNextFileW(search_handle_, &found)) {
        // The end of the listing; the next step starts a new one.
        close_search();
        return 0;
    }
    set_entry(apString(found.cFileName));
    return 1;
}

std::shared_ptr<apIFileIterator> platform_directory_listing(const apPath& dir)
{
    return std::make_shared<apWinFileIterator>(dir);
}
