// A POSIX exchange directory can hold what no Windows directory can: named
// pipes, sockets, devices and links. A program that leaves one in place of
// an exchange file ends the query in its status at once (a pipe must not
// block it), the host keeps no descriptor of it, and the next ordinary
// query succeeds.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "../queryHost.h"
#include "support/processResources.h"

namespace {

namespace fs = std::filesystem;
using testsupport::write_bytes;

const char kAnswer[] = "<A><Type><V>Copper</V></Type></A>";

struct SpecialCase {
    const char* mode;
    int status;
    // What stays in the exchange directory and would fail the next query
    // until someone removes it, as a directory there would.
    const char* leftover;
};

// By name: the bytes gtest would print include the padding.
void PrintTo(const SpecialCase& c, std::ostream* out)
{
    *out << c.mode;
}

class SpecialFiles : public querytest::Queries,
                     public testing::WithParamInterface<SpecialCase> {};

TEST_P(SpecialFiles, EndTheQueryInTheirStatus)
{
    const SpecialCase& c = GetParam();
    install("leaves_a_special_file");
    write_bytes(at("special.txt"), c.mode);
    write_bytes(at("answer.xml"), kAnswer);
    const long files = testsupport::process_resources().open_files;

    querytest::Reply reply = host.electrode_materials("1.2379");
    if (std::string(c.mode) == "request-link") {
        // The link is planted after the query's request was read; the next
        // query finds it where its request goes.
        ASSERT_EQ(reply.status, 0);
        reply = host.electrode_materials("1.2379");
        EXPECT_FALSE(fs::exists(at("planted")));
        EXPECT_TRUE(fs::is_symlink(at("R_ElectrodeMat.xml")));
    }
    EXPECT_EQ(querytest::said(reply), std::to_string(c.status) + ":<null>");
    EXPECT_EQ(testsupport::process_resources().open_files, files);

    if (c.leftover)
        fs::remove(at(c.leftover));
    install("answers_from_file");
    EXPECT_EQ(querytest::said(host.electrode_materials("1.2379")), "0:Copper");
}

INSTANTIATE_TEST_SUITE_P(
    Modes, SpecialFiles,
    testing::Values(SpecialCase{"fifo", 6, nullptr}, SpecialCase{"socket", 6, nullptr},
                    SpecialCase{"zero-link", 6, nullptr},
                    // The answer's place holds a directory: no answer.
                    SpecialCase{"directory-link", 5, "A_ElectrodeMat.xml"},
                    // A dangling link is not a file to remove, and the request
                    // is not written through it.
                    SpecialCase{"request-link", 4, "R_ElectrodeMat.xml"}),
    [](const testing::TestParamInfo<SpecialCase>& info) {
        std::string name = info.param.mode;
        for (char& ch : name)
            if (ch == '-')
                ch = '_';
        return name;
    });

} // namespace
