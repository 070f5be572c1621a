// One path component, kept exactly as given: the directory iterator yields
// it and apPath::join takes it.
#ifndef QEL_FILES_APFILENAME_H
#define QEL_FILES_APFILENAME_H

#include "core/apString.h"

class apFileName {
public:
    // The null name, as an iterator holds before its first step.
    apFileName() = default;
    explicit apFileName(const apString& name) : name_(name) {}

    const apString& string() const noexcept { return name_; }
    bool is_null() const noexcept { return name_.is_null(); }

private:
    apString name_;
};

#endif
