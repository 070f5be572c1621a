// Answers every request file beside it with the bytes of "answer.xml", when
// there is one, and keeps each request as it found it in "seen_R_<name>.xml",
// so that a test can tell what the program read at its start.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "self.h"

namespace fs = std::filesystem;

namespace {

// Streams rather than fs::copy_file, whose overwriting fails on some
// Windows runtimes.
void copy_bytes(const fs::path& from, const fs::path& to)
{
    std::ifstream in(from, std::ios::binary);
    std::ofstream out(to, std::ios::binary | std::ios::trunc);
    out << in.rdbuf();
}

} // namespace

int main(int, char** argv)
{
    const fs::path directory = testprogram::own_file(argv).parent_path();
    const fs::path answer = directory / "answer.xml";
    std::error_code error;
    std::vector<std::string> requests;
    for (const fs::directory_entry& entry : fs::directory_iterator(directory, error)) {
        const std::string name = entry.path().filename().u8string();
        if (name.size() > 6 && name.compare(0, 2, "R_") == 0 &&
            name.compare(name.size() - 4, 4, ".xml") == 0)
            requests.push_back(name);
    }
    for (const std::string& request : requests) {
        copy_bytes(directory / request, directory / ("seen_" + request));
        if (fs::exists(answer, error))
            copy_bytes(answer, directory / ("A_" + request.substr(2)));
    }
    return 0;
}
