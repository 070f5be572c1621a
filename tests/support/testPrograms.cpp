#include "support/testPrograms.h"

#include <thread>

namespace testsupport {

namespace fs = std::filesystem;

namespace {

// Resolved at load, before any test could change the current directory:
// the tests run in the build directory, which holds the programs' one.
const fs::path program_directory = fs::absolute(QEL_TEST_PROGRAM_DIR);

} // namespace

fs::path test_program(const std::string& name)
{
    return program_directory / (name + QEL_EXE_SUFFIX);
}

apString library_text(const fs::path& path)
{
    return apString(path.generic_u8string().c_str());
}

bool wait_for_file(const fs::path& file, std::chrono::milliseconds limit)
{
    const auto until = std::chrono::steady_clock::now() + limit;
    std::error_code ignored;
    while (!fs::exists(file, ignored)) {
        if (std::chrono::steady_clock::now() >= until)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

fs::path ScratchDirectory::add_program(const std::string& name, const std::string& file_name) const
{
    const fs::path copy = path() / file_name;
    fs::copy_file(test_program(name), copy, fs::copy_options::overwrite_existing);
    return copy;
}

} // namespace testsupport
