// Answers every request beside it with the bytes of "answer.xml", writes
// its process id to "pid", and runs on until a file "stop" appears.
#include "exchangeFiles.h"
#include "self.h"

int main(int, char** argv)
{
    const std::filesystem::path directory = testprogram::own_file(argv).parent_path();
    const std::string answer = testprogram::prepared_answer(directory);
    for (const std::string& name : testprogram::request_names(directory))
        testprogram::write_answer(directory, name, answer);
    std::ofstream(directory / "pid") << testprogram::process_id() << '\n';
    testprogram::wait_for_stop(directory, "stop", "stopped");
    return 0;
}
