// A directory listing with opendir / readdir, in the order the system
// reports the entries ("." and ".." included).
#ifndef QEL_FILES_POSIX_APPOSIXFILEITERATOR_H
#define QEL_FILES_POSIX_APPOSIXFILEITERATOR_H

#include <dirent.h>

#include "files/apIFileIterator.h"

class apPosixFileIterator : public apIFileIterator {
public:
    explicit apPosixFileIterator(const apPath& dir);
    ~apPosixFileIterator() override;

    int failed() const override { return not_a_directory_; }
    int idle() const override { return stream_ == nullptr ? 1 : 0; }
    int next() override;

private:
    void close_search() noexcept;

    int not_a_directory_;
    DIR* stream_;
};

#endif
