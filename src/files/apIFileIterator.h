// A directory listing, stepped with next() and read through entry().
#ifndef QEL_FILES_APIFILEITERATOR_H
#define QEL_FILES_APIFILEITERATOR_H

#include <memory>

#include "files/apFileName.h"
#include "files/apPath.h"

class apIFileIterator {
public:
    explicit apIFileIterator(const apPath& dir) : dir_(dir) {}
    virtual ~apIFileIterator() = default;
    apIFileIterator(const apIFileIterator&) = delete;
    apIFileIterator& operator=(const apIFileIterator&) = delete;

    // 1 when the listed path was not a directory at construction.
    virtual int failed() const = 0;
    // 1 when no listing is in progress (before the first step, after the last).
    virtual int idle() const = 0;
    // 1 when a further entry has been stored, 0 at the end of the listing;
    // the step after the end starts the listing again.
    virtual int next() = 0;

    const apPath& dir() const noexcept { return dir_; }
    // The current entry; null before the first step.
    const apFileName& entry() const noexcept { return entry_; }

protected:
    void set_entry(const apString& name) { entry_ = apFileName(name); }

private:
    apPath dir_;
    apFileName entry_;
};

// A listing of `dir` by the platform's own iterator.
std::shared_ptr<apIFileIterator> platform_directory_listing(const apPath& dir);

#endif
