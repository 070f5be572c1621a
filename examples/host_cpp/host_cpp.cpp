// A host in C++17: a small wrapper owns every answer through std::unique_ptr
// with delete_string as its deleter and throws failure statuses as
// qel::error. Usage: host_cpp EXCHANGE-DIRECTORY
#include <iostream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "qellink.h"

namespace qel {

// Hands a string back to the library. The cast keeps this compiling
// whichever overloads of delete_string the header declares.
struct text_deleter {
    void operator()(const char* text) const noexcept { delete_string(const_cast<char*>(text)); }
};
using text = std::unique_ptr<const char, text_deleter>;

// A failure status of a call; include/qellink.h says what each one means.
struct error : std::runtime_error {
    error(const std::string& call, int code)
        : std::runtime_error(call + " failed with status " + std::to_string(code)), status(code) {}
    int status;
};

// Calls a query (its arguments, then a status) and owns the answer at once;
// throws for a failure status. The values arrive separated by '\n'.
template <class Query, class... Args>
std::vector<std::string> ask(const char* call, Query query, Args... args)
{
    int status = -1;
    const text answer(query(args..., &status));
    if (status != 0)
        throw error(call, status);
    std::vector<std::string> values;
    std::istringstream lines(answer.get());
    for (std::string value; std::getline(lines, value);)
        values.push_back(value);
    return values;
}

void set_parameter(const std::string& name, const std::string& value)
{
    int status = -1;
    set_parameter_value(name.c_str(), value.c_str(), &status);
    if (status != 0)
        throw error("set_parameter_value " + name, status);
}

} // namespace qel

// Prints the question, then its values or its failure; answers the status.
template <class Query>
int show(const std::string& question, Query query)
{
    std::cout << question << ":\n";
    try {
        for (const std::string& value : query())
            std::cout << "  " << value << "\n";
        return 0;
    } catch (const qel::error& e) {
        std::cout << "  failed with status " << e.status << "\n";
        std::cerr << e.what() << "\n";
        return e.status;
    }
}

int main(int argc, char** argv)
try {
    if (argc != 2) {
        std::cerr << "usage: host_cpp EXCHANGE-DIRECTORY\n";
        return 64;
    }
    const std::string directory = argv[1];
    qel::set_parameter("ImportStudyPath", directory);
    std::cout << "interface version " << qel::text(api_version()).get() << "\n"
              << "programs installed: " << (qel_installed() ? "yes" : "no") << "\n";
    auto electrodes = [] { return qel::ask("electrode_materials", electrode_materials, "1.2379"); };
    auto finishes = [] { return qel::ask("surface_finishes", surface_finishes, "1.2379", "Graphite fine grain"); };
    auto undersizes = [] {
        return qel::ask("optimum_undersizes", optimum_undersizes, "1.2379", "Copper", 12.5, 50, 18, 120);
    };
    if (show("electrode materials for 1.2379", electrodes) ||
        show("surface finishes for 1.2379 with Graphite fine grain", finishes) ||
        show("optimum undersizes for 1.2379 with Copper, 12.5 mm deep", undersizes))
        return 1;
    qel::set_parameter("ImportStudyPath", directory + "/no-such-directory");
    return show("electrode materials from a directory without programs", electrodes) == 4 ? 0 : 1;
} catch (const qel::error& e) {
    std::cerr << e.what() << "\n";
    return e.status;
}
