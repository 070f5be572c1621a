// The programs of tests/programs, and scratch directories to run them from.
#ifndef QEL_TEST_TESTPROGRAMS_H
#define QEL_TEST_TESTPROGRAMS_H

#include <chrono>
#include <filesystem>
#include <string>

#include "core/apString.h"

namespace testsupport {

// The built program of tests/programs/<name>.cpp.
std::filesystem::path test_program(const std::string& name);

// A path as the library spells it: UTF-8 with '/' separators.
apString library_text(const std::filesystem::path& path);

// Whether `file` exists, or comes to exist within `limit`.
bool wait_for_file(const std::filesystem::path& file, std::chrono::milliseconds limit);

// A fresh directory in the system's temporary directory, removed with its
// content when the object goes (retrying for a while: on Windows a program
// that is still ending keeps its file).
class ScratchDirectory {
public:
    ScratchDirectory();
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // Copies program `name` in as `file_name`; answers the copy's path.
    std::filesystem::path add_program(const std::string& name, const std::string& file_name) const;

private:
    std::filesystem::path path_;
};

} // namespace testsupport

#endif
