// Leaves in place of a file of the exchange what only a POSIX directory can
// hold, as "special.txt" beside it says: "fifo", "socket" or "zero-link"
// (a link to /dev/zero) as the answer, "directory-link" (a link to a
// directory) as the answer, or "request-link": an ordinary answer from
// "answer.xml", and a link where the request was, to a file that does not
// exist.
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "exchangeFiles.h"
#include "self.h"

namespace fs = std::filesystem;

namespace {

bool bind_socket(const fs::path& file)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string name = file.string();
    if (name.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, name.c_str(), name.size() + 1);
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    // The socket file stays when the program ends.
    return fd >= 0 && bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
}

} // namespace

int main(int, char** argv)
{
    const fs::path directory = testprogram::own_file(argv).parent_path();
    std::ifstream in(directory / "special.txt");
    std::string mode;
    in >> mode;
    std::error_code ignored;
    for (const std::string& name : testprogram::request_names(directory)) {
        const fs::path answer = directory / ("A_" + name + ".xml");
        if (mode == "fifo") {
            mkfifo(answer.c_str(), 0666);
        } else if (mode == "socket") {
            bind_socket(answer);
        } else if (mode == "zero-link") {
            fs::create_symlink("/dev/zero", answer, ignored);
        } else if (mode == "directory-link") {
            fs::create_directory(directory / "a-directory", ignored);
            fs::create_symlink("a-directory", answer, ignored);
        } else if (mode == "request-link") {
            testprogram::write_answer(directory, name, testprogram::prepared_answer(directory));
            const fs::path request = directory / ("R_" + name + ".xml");
            fs::remove(request, ignored);
            fs::create_symlink("planted", request, ignored);
        }
    }
    return 0;
}
