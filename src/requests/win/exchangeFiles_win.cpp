// Windows: both files are opened by the path's 8-bit form, as the C
// runtime's narrow file functions take it.
#include "requests/exchangeFiles.h"

#include <fstream>

namespace exchange {

std::unique_ptr<std::ostream> create_request(const apPath& file)
{
    return std::unique_ptr<std::ostream>(
        new std::ofstream(file.narrow().c_str(), std::ios::out | std::ios::trunc));
}

std::unique_ptr<std::istream> open_answer(const apPath& file)
{
    return std::unique_ptr<std::istream>(
        new std::ifstream(file.narrow().c_str(), std::ios::in | std::ios::binary));
}

} // namespace exchange
