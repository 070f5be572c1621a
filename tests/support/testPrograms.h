// The programs of tests/programs, and scratch directories to run them from.
#ifndef QEL_TEST_TESTPROGRAMS_H
#define QEL_TEST_TESTPROGRAMS_H

#include <chrono>
#include <filesystem>
#include <string>

#include "core/apString.h"
#include "support/tempDir.h"

namespace testsupport {

// The built program of tests/programs/<name>.cpp.
std::filesystem::path test_program(const std::string& name);

// A path as the library spells it: UTF-8 with '/' separators.
apString library_text(const std::filesystem::path& path);

// How soon a program's end, or its start, is answered at the latest. Loose
// on purpose: only a wait that ignores the end, or a start that hangs, comes
// near it.
inline constexpr std::chrono::milliseconds prompt{5000};

// Whether `file` exists, or comes to exist within `limit`.
bool wait_for_file(const std::filesystem::path& file, std::chrono::milliseconds limit);

// A temporary directory to run the programs from.
class ScratchDirectory : public TempDir {
public:
    const std::filesystem::path& path() const { return root(); }

    // Copies program `name` in as `file_name`; answers the copy's path.
    std::filesystem::path add_program(const std::string& name, const std::string& file_name) const;
};

} // namespace testsupport

#endif
