// The file system of the platform the library is built for; each platform
// directory implements it. Windows gets every path's UTF-16 text, "/"
// separators and all; POSIX gets its UTF-8 bytes and gives the answers
// Windows gives: a directory is never removed or opened as a file, a rename
// never replaces its target, and absolute paths are resolved without
// consulting the file system.
#ifndef QEL_FILES_APSYSTEMFILEOPERATIONS_H
#define QEL_FILES_APSYSTEMFILEOPERATIONS_H

#include "files/apIFileOperations.h"
#include "files/apSystemFileModes.h"

class apSystemFileOperations : public apIFileOperations {
public:
    int kind(const apPath& p) override;
    int remove_file(const apPath& p) override;
    int make_directory(const apPath& p) override;
    int remove_directory(const apPath& p) override;
    apIFileMode* read_mode() override { return &read_mode_; }
    apIFileMode* rw_mode() override { return &rw_mode_; }
    apIFileMode* write_mode() override { return &write_mode_; }
    std::int64_t file_size(const apPath& p) override;
    apString absolute(const apPath& p) override;
    apStatus open_input(const apPath& p, std::unique_ptr<std::istream>& stream) override;
    apStatus open_output(const apPath& p, std::unique_ptr<std::ostream>& stream) override;
    apStatus rename(const apPath& from, const apPath& to) override;

private:
    apSystemReadMode read_mode_;
    apSystemRWMode rw_mode_;
    apSystemWriteMode write_mode_;
};

#endif
