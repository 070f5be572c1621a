// What the stand-in programs do with the exchange directory they live in:
// find the request files beside them and answer each with given bytes.
#ifndef QEL_TESTPROGRAM_EXCHANGEFILES_H
#define QEL_TESTPROGRAM_EXCHANGEFILES_H

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace testprogram {

// The request names of the "R_<name>.xml" files in `directory`.
inline std::vector<std::string> request_names(const std::filesystem::path& directory)
{
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(directory, error)) {
        const std::string file = entry.path().filename().u8string();
        if (file.size() > 6 && file.compare(0, 2, "R_") == 0 && file.compare(file.size() - 4, 4, ".xml") == 0)
            names.push_back(file.substr(2, file.size() - 6));
    }
    return names;
}

// The bytes of "answer.xml" in `directory`; empty when there is none.
inline std::string prepared_answer(const std::filesystem::path& directory)
{
    std::ifstream in(directory / "answer.xml", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void write_answer(const std::filesystem::path& directory, const std::string& name, const std::string& bytes)
{
    std::ofstream(directory / ("A_" + name + ".xml"), std::ios::binary | std::ios::trunc) << bytes;
}

// Runs until a file `stop` appears in `directory` (two minutes at most),
// then leaves `stopped` there.
inline void wait_for_stop(const std::filesystem::path& directory, const std::string& stop,
                          const std::string& stopped)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::minutes(2);
    std::error_code ignored;
    while (!std::filesystem::exists(directory / stop, ignored) && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::ofstream(directory / stopped) << "stopped\n";
}

} // namespace testprogram

#endif
