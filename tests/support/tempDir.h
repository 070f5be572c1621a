// A fresh directory under the system's temporary directory, removed with
// everything in it when the object goes (retrying for a while). It touches
// nothing outside itself.
#ifndef QEL_TEST_TEMPDIR_H
#define QEL_TEST_TEMPDIR_H

#include <filesystem>
#include <string>

#include "core/apString.h"

namespace testsupport {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& root() const { return root_; }
    // The directory's text, as an apString.
    apString text() const;
    // An entry below the directory, named in UTF-8 with "/" separators.
    std::filesystem::path at(const std::string& utf8) const;

private:
    std::filesystem::path root_;
};

// The text of a file-system path as an apString.
apString to_text(const std::filesystem::path& p);
// An apString as UTF-8, with null spelt "<null>" for readable failures.
std::string to_utf8(const apString& s);

// Whole-file helpers for setting up and checking the files under test.
void write_bytes(const std::filesystem::path& p, const std::string& bytes);
std::string read_bytes(const std::filesystem::path& p);
// How this platform's text mode writes "\n" (what the library's request
// files hold at each line end).
std::string text_mode_line_end();

} // namespace testsupport

#endif
