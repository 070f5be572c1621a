// Writes its process id to "pid" beside itself, then runs until a file
// "stop" appears there (two minutes at most), writes "stopped" and ends.
#include <chrono>
#include <fstream>
#include <thread>

#include "self.h"

int main(int, char** argv)
{
    const std::filesystem::path directory = testprogram::own_file(argv).parent_path();
    std::ofstream(directory / "pid") << testprogram::process_id() << '\n';
    const auto until = std::chrono::steady_clock::now() + std::chrono::minutes(2);
    std::error_code ignored;
    while (!std::filesystem::exists(directory / "stop", ignored) &&
           std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::ofstream(directory / "stopped") << "stopped\n";
    return 0;
}
