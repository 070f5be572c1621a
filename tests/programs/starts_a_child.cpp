// Starts a copy of itself that outlives it, answers every request beside it
// with the bytes of "answer.xml" and ends. The copy (started with the
// argument "child") writes "child_pid" and runs until "child_stop" appears.
#include <string>

#include "exchangeFiles.h"
#include "self.h"

int main(int argc, char** argv)
{
    const std::filesystem::path directory = testprogram::own_file(argv).parent_path();
    if (argc > 1 && std::string(argv[1]) == "child") {
        std::ofstream(directory / "child_pid") << testprogram::process_id() << '\n';
        testprogram::wait_for_stop(directory, "child_stop", "child_stopped");
        return 0;
    }
    if (!testprogram::start_self(argv, "child"))
        return 1;
    const std::string answer = testprogram::prepared_answer(directory);
    for (const std::string& name : testprogram::request_names(directory))
        testprogram::write_answer(directory, name, answer);
    return 0;
}
