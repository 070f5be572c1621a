// The library's exports called as a host calls them, with the library
// loaded at run time, and a scratch exchange directory to put stand-in
// technology programs in: what the end-to-end tests share.
#ifndef QEL_TESTS_BOUNDARY_QUERYHOST_H
#define QEL_TESTS_BOUNDARY_QUERYHOST_H

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/dynlib.h"
#include "support/tempDir.h"
#include "support/testPrograms.h"

namespace querytest {

namespace fs = std::filesystem;

struct Reply {
    int status;
    bool is_null;
    std::string text;
};

// The library's exports, called as a host calls them.
class Host {
public:
    bool ready() const { return library_.loaded() && set_ && delete_ && installed_; }

    int set(const char* name, const char* value)
    {
        int status = -1;
        set_(name, value, &status);
        return status;
    }
    void set_study(const fs::path& directory)
    {
        ASSERT_EQ(set("ImportStudyPath", directory.generic_u8string().c_str()), 0);
    }

    Reply electrode_materials(const char* part)
    {
        return ask<const char* (*)(const char*, int*)>("electrode_materials", part);
    }
    Reply surface_finishes(const char* part, const char* electrode)
    {
        return ask<const char* (*)(const char*, const char*, int*)>("surface_finishes", part,
                                                                     electrode);
    }
    Reply optimum_undersizes(const char* part, const char* electrode, double depth, double attack,
                             double finish, double length)
    {
        return ask<const char* (*)(const char*, const char*, double, double, double, double, int*)>(
            "optimum_undersizes", part, electrode, depth, attack, finish, length);
    }
    bool installed() { return installed_(); }

private:
    template <class F, class... Args>
    Reply ask(const char* export_name, Args... args)
    {
        int status = -1;
        const char* text = library_.function<F>(export_name)(args..., &status);
        Reply reply{status, text == nullptr, text ? text : ""};
        delete_(const_cast<char*>(text));
        return reply;
    }

    testsupport::DynamicLibrary library_{testsupport::library_file()};
    void (*set_)(const char*, const char*, int*) =
        library_.function<void (*)(const char*, const char*, int*)>("set_parameter_value");
    void (*delete_)(void*) = library_.function<void (*)(void*)>("delete_string");
    bool (*installed_)() = library_.function<bool (*)()>("qel_installed");
};

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
    void install_answer(const std::string& bytes)
    {
        install("answers_from_file");
        testsupport::write_bytes(at("answer.xml"), bytes);
    }

    testsupport::ScratchDirectory exchange;
    Host host;
};

} // namespace querytest

#endif
