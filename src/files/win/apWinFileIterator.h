// A directory listing with FindFirstFileW / FindNextFileW, in the order the
// system reports the entries ("." and ".." included).
#ifndef QEL_FILES_WIN_APWINFILEITERATOR_H
#define QEL_FILES_WIN_APWINFILEITERATOR_H

#include <windows.h>

#include "files/apIFileIterator.h"

class apWinFileIterator : public apIFileIterator {
public:
    explicit apWinFileIterator(const apPath& dir);
    ~apWinFileIterator() override;

    int failed() const override { return not_a_directory_; }
    int idle() const override { return search_handle_ == INVALID_HANDLE_VALUE ? 1 : 0; }
    int next() override;

private:
    void close_search() noexcept;

    int not_a_directory_;
    HANDLE search_handle_;
};

#endif
