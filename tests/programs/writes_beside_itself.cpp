// Records how it was started in "ran.txt" beside itself: the argument
// count, each argument and the current directory, one per line.
#include <fstream>

#include "self.h"

int main(int argc, char** argv)
{
    const std::filesystem::path directory = testprogram::own_file(argv).parent_path();
    std::ofstream out(directory / "ran.txt", std::ios::binary);
    out << argc << '\n';
    for (int i = 0; i < argc; ++i)
        out << argv[i] << '\n';
    out << std::filesystem::current_path().u8string() << '\n';
    return out ? 0 : 1;
}
