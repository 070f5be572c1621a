// Removes every request file beside it, then answers each with the bytes of
// "answer.xml" when there is one.
#include "exchangeFiles.h"
#include "self.h"

int main(int, char** argv)
{
    const std::filesystem::path directory = testprogram::own_file(argv).parent_path();
    const std::string answer = testprogram::prepared_answer(directory);
    const bool answers = std::filesystem::exists(directory / "answer.xml");
    for (const std::string& name : testprogram::request_names(directory)) {
        std::filesystem::remove(directory / ("R_" + name + ".xml"));
        if (answers)
            testprogram::write_answer(directory, name, answer);
    }
    return 0;
}
