#include "support/tempDir.h"

#include <chrono>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <thread>

namespace fs = std::filesystem;

namespace testsupport {

TempDir::TempDir()
{
    std::mt19937_64 random(static_cast<unsigned long long>(
        std::chrono::steady_clock::now().time_since_epoch().count()) ^ std::random_device{}());
    const fs::path base = fs::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate = base / ("qel-test-" + std::to_string(random() % 1000000000ULL));
        // create_directory answers false for a name that is taken: never
        // adopt (and later remove) a directory we did not make.
        if (fs::create_directory(candidate)) {
            root_ = candidate;
            return;
        }
    }
    throw std::runtime_error("no temporary directory");
}

TempDir::~TempDir()
{
    // Retried for a while: on Windows a program that is still ending keeps
    // its file.
    for (int attempt = 0; attempt < 50; ++attempt) {
        std::error_code error;
        fs::remove_all(root_, error);
        if (!error)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

apString TempDir::text() const
{
    return to_text(root_);
}

fs::path TempDir::at(const std::string& utf8) const
{
    return root_ / fs::u8path(utf8);
}

apString to_text(const fs::path& p)
{
    return apString(p.u8string().c_str());
}

std::string to_utf8(const apString& s)
{
    return s.is_null() ? std::string("<null>") : std::string(s.utf8_str());
}

void write_bytes(const fs::path& p, const std::string& bytes)
{
    std::ofstream out(p, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + p.u8string());
}

std::string read_bytes(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string text_mode_line_end()
{
    TempDir directory;
    const fs::path probe = directory.at("probe.txt");
    std::ofstream(probe) << '\n';
    return read_bytes(probe);
}

} // namespace testsupport
