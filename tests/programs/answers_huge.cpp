// Answers every request beside it with a file of 1 GiB and one byte that
// holds no data: a sparse file where the file system allows.
#include "exchangeFiles.h"
#include "self.h"

int main(int, char** argv)
{
    const std::filesystem::path directory = testprogram::own_file(argv).parent_path();
    for (const std::string& name : testprogram::request_names(directory)) {
        const std::filesystem::path answer = directory / ("A_" + name + ".xml");
        testprogram::write_answer(directory, name, "");
        std::filesystem::resize_file(answer, (std::uintmax_t(1) << 30) + 1);
    }
    return 0;
}
