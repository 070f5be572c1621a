// Writes the first half of "answer.xml" as the answer to every request
// beside it, and then faults.
#include "exchangeFiles.h"
#include "self.h"

int main(int, char** argv)
{
    const std::filesystem::path directory = testprogram::own_file(argv).parent_path();
    const std::string answer = testprogram::prepared_answer(directory);
    for (const std::string& name : testprogram::request_names(directory))
        testprogram::write_answer(directory, name, answer.substr(0, answer.size() / 2));
    testprogram::crash();
}
