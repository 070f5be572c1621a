// Makes a directory where the answer file of every request beside it
// belongs.
#include "exchangeFiles.h"
#include "self.h"

int main(int, char** argv)
{
    const std::filesystem::path directory = testprogram::own_file(argv).parent_path();
    for (const std::string& name : testprogram::request_names(directory))
        std::filesystem::create_directory(directory / ("A_" + name + ".xml"));
    return 0;
}
