// A scratch exchange directory to put stand-in technology programs in, and
// the host that asks them: the fixture of the end-to-end tests.
#ifndef QEL_TESTS_BOUNDARY_QUERYHOST_H
#define QEL_TESTS_BOUNDARY_QUERYHOST_H

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/queryHost.h"
#include "support/tempDir.h"
#include "support/testPrograms.h"

namespace querytest {

namespace fs = std::filesystem;

class Queries : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.ready()) << testsupport::library_file();
        // The library may stay loaded between tests, and its parameters with
        // it: an empty value is written like one never set.
        for (const char* name : {"MachineName", "TypeOfDielectric", "TypeOfDialectric",
                                 "SurfaceFinish", "CavityAngle"})
            ASSERT_EQ(host.set(name, ""), 0);
        host.set_study(exchange.path());
    }

    fs::path at(const std::string& name) const { return exchange.path() / name; }
    // Installs a stand-in program under the name the library starts.
    void install(const std::string& program, const char* as = "ElectrodeMaterial.exe")
    {
        exchange.add_program(program, as);
    }
    // Installs `program`, by default the one that answers with answer.xml,
    // and `bytes` as answer.xml.
    void install_answer(const std::string& bytes, const std::string& program = "answers_from_file")
    {
        install(program);
        testsupport::write_bytes(at("answer.xml"), bytes);
    }

    testsupport::ScratchDirectory exchange;
    Host host;
};

} // namespace querytest

#endif
