// Where a program on the kit finds itself on POSIX: from argv[0] as the
// library, a shell or execvp pass it. (On Windows the module's file name is
// asked instead; the end-to-end tests start programs there.)
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <initializer_list>
#include <string>

#include "qelprogram.h"
#include "support/tempDir.h"

namespace {

std::string directory_of(const char* argv0)
{
    char* directory = nullptr;
    qp_error error;
    const qp_status status = qp_exchange_directory(argv0, &directory, &error);
    if (status != QP_OK)
        return "error " + std::to_string(status) + ": " + error.message;
    std::string out = directory;
    qp_free(directory);
    return out;
}

std::string kind_of(const char* argv0)
{
    qp_kind kind = QP_ELECTRODE_MATERIAL;
    qp_error error;
    const qp_status status = qp_program_kind(argv0, &kind, &error);
    if (status != QP_OK)
        return "error " + std::to_string(status) + ": " + error.message;
    return std::to_string(kind);
}

const std::string empty_argv0 = "error 3: cannot tell the program's own file: argv[0] is empty";

// What `answer` makes of each argv[0] of a table.
struct Argv0Case {
    const char* argv0;
    std::string expected;
};

void expect_each(std::string (*answer)(const char*), std::initializer_list<Argv0Case> cases)
{
    for (const auto& c : cases) {
        SCOPED_TRACE(c.argv0 ? c.argv0 : "(null)");
        EXPECT_EQ(answer(c.argv0), c.expected);
    }
}

std::string current_directory()
{
    char buffer[4096];
    return getcwd(buffer, sizeof buffer) ? buffer : "";
}

// PATH set for the life of the object, restored afterwards.
class ScopedPath {
public:
    explicit ScopedPath(const std::string& path)
    {
        const char* old = getenv("PATH");
        had_ = old != nullptr;
        old_ = old ? old : "";
        setenv("PATH", path.c_str(), 1);
    }
    ~ScopedPath()
    {
        if (had_)
            setenv("PATH", old_.c_str(), 1);
        else
            unsetenv("PATH");
    }

private:
    bool had_;
    std::string old_;
};

TEST(KitProgramFile, TheDirectoryOfArgv0)
{
    const std::string cwd = current_directory();
    expect_each(directory_of, {
        {"/ex change/Stahl geh\xC3\xA4rtet/ElectrodeMaterial.exe", "/ex change/Stahl geh\xC3\xA4rtet"},
        {"/bytes \xE4\xFF/P.exe", "/bytes \xE4\xFF"},
        {"/ElectrodeMaterial.exe", "/"},
        {"//x", "/"},
        {"sub dir/P.exe", cwd + "/sub dir"},
        {"./P.exe", cwd + "/."},
        {nullptr, empty_argv0},
        {"", empty_argv0},
    });
    EXPECT_EQ(qp_exchange_directory("/x/y", nullptr, nullptr), QP_ERROR_ARGUMENT);
}

TEST(KitProgramFile, ABareNameIsLookedUpInPath)
{
    testsupport::TempDir temp;
    const std::string plain = temp.at("plain").string();
    const std::string odd = temp.at("b\xC3\xA4 d").string();
    mkdir(plain.c_str(), 0755);
    mkdir(odd.c_str(), 0755);
    mkdir((plain + "/SurfaceFinish.exe").c_str(), 0755); // a directory is no program
    testsupport::write_bytes(temp.at("plain/not-executable"), "x");
    testsupport::write_bytes(temp.at("b\xC3\xA4 d/SurfaceFinish.exe"), "x");
    chmod((odd + "/SurfaceFinish.exe").c_str(), 0755);

    ScopedPath path("/nonexistent::" + plain + ":" + odd);
    EXPECT_EQ(directory_of("SurfaceFinish.exe"), odd);
    EXPECT_EQ(kind_of("SurfaceFinish.exe"), "1");
    EXPECT_EQ(directory_of("not-executable"),
              "error 3: cannot tell the program's own file: not-executable is not in PATH");
    {
        // An empty entry is the current directory.
        testsupport::write_bytes(temp.at("b\xC3\xA4 d/here"), "x");
        chmod((odd + "/here").c_str(), 0755);
        const std::string cwd = current_directory();
        ASSERT_EQ(chdir(odd.c_str()), 0);
        EXPECT_EQ(directory_of("here"), odd + "/.");
        ASSERT_EQ(chdir(cwd.c_str()), 0);
    }
    ScopedPath none("");
    EXPECT_EQ(directory_of("SurfaceFinish.exe"),
              "error 3: cannot tell the program's own file: SurfaceFinish.exe is not in PATH");
}

TEST(KitProgramFile, TheQuestionIsTheFileName)
{
    const std::string names = " asks no known question: name it ElectrodeMaterial.exe, SurfaceFinish.exe "
                              "or OptimumUndersize.exe";
    expect_each(kind_of, {
        {"/x/ElectrodeMaterial.exe", "0"},
        {"/x/electrodematerial.EXE", "0"},
        {"/x/SurfaceFinish", "1"},
        {"/x.y/OptimumUndersize.exe", "2"},
        {"/x/OptimumUndersize.exe.bak", "error 3: the program's file name OptimumUndersize.exe.bak" + names},
        {"/x/Electrode.exe", "error 3: the program's file name Electrode.exe" + names},
        {"", empty_argv0},
    });
    EXPECT_EQ(qp_program_kind("/x/SurfaceFinish", nullptr, nullptr), QP_ERROR_ARGUMENT);
}

} // namespace
