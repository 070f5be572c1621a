// The file system through the wide-character C runtime and the Windows API.
// Every call gets the path's UTF-16 text, "/" separators and all.
#ifndef QEL_FILES_WIN_APWINFILEOPERATIONS_H
#define QEL_FILES_WIN_APWINFILEOPERATIONS_H

#include "files/apIFileOperations.h"
#include "files/win/apWinFileModes.h"

class apWinFileOperations : public apIFileOperations {
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
    apWinReadMode read_mode_;
    apWinRWMode rw_mode_;
    apWinWriteMode write_mode_;
};

#endif
