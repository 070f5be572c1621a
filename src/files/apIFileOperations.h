// apIFileOperations: every access to the file system. Paths carry a pointer
// to one of these; the process-wide platform instance serves every path
// built without explicit services.
//
// Texts handed to the system are the paths' normalised texts with "/" as
// separator. Failures are answers, never exceptions: queries answer plain
// integers (with the reason left in errno), the rest an apStatus.
#ifndef QEL_FILES_APIFILEOPERATIONS_H
#define QEL_FILES_APIFILEOPERATIONS_H

#include <cstdint>
#include <istream>
#include <memory>
#include <ostream>

#include "files/apByteBuffer.h"
#include "files/apFileName.h"
#include "files/apIFileIterator.h"
#include "files/apIFileMode.h"
#include "files/apPath.h"
#include "files/apStatus.h"

class apIFileOperations {
public:
    apIFileOperations() = default;
    apIFileOperations(const apIFileOperations&) = delete;
    apIFileOperations& operator=(const apIFileOperations&) = delete;

    // 0 regular file, 1 directory, 2 nothing there (or not examinable).
    // "." is a directory without asking the system.
    virtual int kind(const apPath& p) = 0;
    // Makes the file writable first; 1 removed, 0 not. Never removes a directory.
    virtual int remove_file(const apPath& p) = 0;
    // One level, no parents; 1 created, 0 not.
    virtual int make_directory(const apPath& p) = 0;
    // Only an empty directory; 1 removed, 0 not.
    virtual int remove_directory(const apPath& p) = 0;
    // The platform's listing of a copy of p, its text kept as it is.
    virtual std::shared_ptr<apIFileIterator> list_directory(const apPath& p);
    virtual apIFileMode* read_mode() = 0;  // "rb": must exist
    virtual apIFileMode* rw_mode() = 0;    // "r+b": must exist
    virtual apIFileMode* write_mode() = 0; // "wb": created or truncated
    // 1 when p's text is not null.
    virtual int is_valid(const apPath& p);
    // The text with backslash separators, the Windows form on every platform.
    virtual apString native(const apPath& p);
    // Creates or truncates the file and writes the bytes.
    virtual apStatus write_file(const apPath& p, const apByteBuffer& data);
    // The whole file; `data` is left alone on failure.
    virtual apStatus read_file(const apPath& p, apByteBuffer& data);
    // Bytes in the file; 0 when it cannot be opened. This version measures
    // with the C runtime's long offsets.
    virtual std::int64_t file_size(const apPath& p);
    // Only a file, and only onto a free name.
    virtual apStatus move_file(const apPath& from, const apPath& to);
    // Renames within the parent directory; only a directory, only onto a
    // free name.
    virtual apStatus rename_directory(const apPath& dir, const apFileName& name);
    // Renames within the parent directory without checks.
    virtual apStatus rename_entry(const apPath& p, const apFileName& name);
    // The absolute, normalised text, or null on failure. This version
    // answers the text unchanged.
    virtual apString absolute(const apPath& p);
    // Replace the held stream with one on the file. This version reads and
    // writes through an apFileBuf, and keeps the held stream when the file
    // cannot be opened.
    virtual apStatus open_input(const apPath& p, std::unique_ptr<std::istream>& stream);
    virtual apStatus open_output(const apPath& p, std::unique_ptr<std::ostream>& stream);
    virtual ~apIFileOperations() = default;
    // Never replaces an existing target.
    virtual apStatus rename(const apPath& from, const apPath& to) = 0;

    int is_file(const apPath& p);
    int is_directory(const apPath& p);
};

// The process-wide platform operations, created on first use and destroyed
// at exit; callers never own it.
apIFileOperations* default_file_operations();

#endif
