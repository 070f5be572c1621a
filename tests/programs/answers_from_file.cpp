// Answers every request file beside it with the bytes of "answer.xml", when
// there is one, and keeps each request as it found it in "seen_R_<name>.xml",
// so that a test can tell what the program read at its start.
#include <filesystem>
#include <string>
#include <vector>

#include "self.h"

namespace fs = std::filesystem;

int main(int, char** argv)
{
    const fs::path directory = testprogram::own_file(argv).parent_path();
    const fs::path answer = directory / "answer.xml";
    std::vector<std::string> requests;
    for (const fs::directory_entry& entry : fs::directory_iterator(directory)) {
        const std::string name = entry.path().filename().u8string();
        if (name.size() > 6 && name.compare(0, 2, "R_") == 0 &&
            name.compare(name.size() - 4, 4, ".xml") == 0)
            requests.push_back(name);
    }
    const auto overwrite = fs::copy_options::overwrite_existing;
    for (const std::string& request : requests) {
        fs::copy_file(directory / request, directory / ("seen_" + request), overwrite);
        if (fs::exists(answer))
            fs::copy_file(answer, directory / ("A_" + request.substr(2)), overwrite);
    }
    return 0;
}
