// What goes wrong around a query: programs that fault, linger, start
// children or tamper with the exchange files; exchange directories that are
// missing, read-only or files; answers built to exhaust the host. Each ends
// in its status, quickly, and leaves the host's parameters as they were.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <string>

#include "queryHost.h"
#include "support/repeatText.h"
#include "support/tempDir.h"
#include "support/testPrograms.h"

namespace {

namespace fs = std::filesystem;
using querytest::Reply;
using querytest::said;
using std::chrono::milliseconds;
using testsupport::read_bytes;
using testsupport::write_bytes;

const char kTwoValues[] = "<A><Type><V>Copper</V></Type><Type><V>Graphite</V></Type></A>";

class QueryFaults : public querytest::Queries {};

TEST_F(QueryFaults, ProgramsThatMisbehave)
{
    // The request is read before the program starts; what it does with the
    // file afterwards is its own affair.
    install_answer(kTwoValues, "removes_request");
    EXPECT_EQ(said(host.electrode_materials("1.2379")), "0:Copper\nGraphite");
    EXPECT_FALSE(fs::exists(at("R_ElectrodeMat.xml")));

    // A directory where the answer belongs is no answer.
    install("answers_with_a_directory", "SurfaceFinish.exe");
    Reply reply = host.surface_finishes("1.2379", "Copper");
    EXPECT_EQ(said(reply), "5:<null>");
    EXPECT_TRUE(fs::is_directory(at("A_SurfaceFinish.xml")));
}

TEST_F(QueryFaults, HalfAnAnswerThenACrash)
{
    // A crashed program's file may stay busy under wine while its debugger
    // runs, so it gets a program name of its own.
    install("half_answer_then_crashes", "SurfaceFinish.exe");
    write_bytes(at("answer.xml"), kTwoValues);
    Reply reply = host.surface_finishes("1.2379", "Copper");
    EXPECT_EQ(said(reply), "6:<null>");
    EXPECT_TRUE(fs::is_regular_file(at("R_SurfaceFinish.xml")));
}

TEST_F(QueryFaults, ChildThatOutlivesTheProgramIsNotWaitedFor)
{
    install_answer(kTwoValues, "starts_a_child");
    EXPECT_EQ(said(host.electrode_materials("1.2379")), "0:Copper\nGraphite");
    // The child runs on until told to stop.
    ASSERT_TRUE(testsupport::wait_for_file(at("child_pid"), milliseconds(10000)));
    EXPECT_FALSE(fs::exists(at("child_stopped")));
    write_bytes(at("child_stop"), "stop");
    EXPECT_TRUE(testsupport::wait_for_file(at("child_stopped"), milliseconds(10000)));
}

TEST_F(QueryFaults, ExchangeDirectoriesThatCannotTakeTheRequest)
{
    ASSERT_EQ(host.set("MachineName", "Kept"), 0);
    const fs::path missing = at("missing");
    const fs::path file = at("file");
    const fs::path read_only = at("read-only");
    write_bytes(file, "a file");
    fs::create_directory(read_only);
    fs::permissions(read_only, fs::perms::owner_read | fs::perms::owner_exec, fs::perm_options::replace);
    // Permissions do not stop every user (root, or Windows, where a
    // directory's read-only flag guards nothing): only where they do is
    // the read-only directory a case.
    const bool guarded = !std::ofstream(read_only / "probe");

    for (const fs::path& directory : {missing, file, read_only}) {
        if (directory == read_only && !guarded)
            continue;
        SCOPED_TRACE(directory.filename().u8string());
        ASSERT_EQ(host.set("ImportStudyPath", directory.generic_u8string().c_str()), 0);
        Reply reply = host.surface_finishes("Fault", "Fault");
        EXPECT_EQ(said(reply), "4:<null>");
    }
    EXPECT_FALSE(fs::exists(missing));
    EXPECT_EQ(read_bytes(file), "a file");
    fs::permissions(read_only, fs::perms::owner_all, fs::perm_options::replace);

    // The host's own parameters are as they were; nothing of the failed
    // queries stayed.
    host.set_study(exchange.path());
    install_answer("<A/>");
    ASSERT_EQ(host.electrode_materials("Next").status, 0);
    const std::string request = read_bytes(at("seen_R_ElectrodeMat.xml"));
    EXPECT_NE(request.find("<MachineName>Kept</MachineName>"), std::string::npos);
    EXPECT_NE(request.find("<PartMaterial>Next</PartMaterial>"), std::string::npos);
    EXPECT_EQ(request.find("Fault"), std::string::npos);
    if (!guarded)
        GTEST_SKIP() << "a read-only directory takes files for this user; that case was not run";
}

using testsupport::repeat;

// Answers built to exhaust the host: each must fail fast, as invalid.
TEST_F(QueryFaults, HostileAnswersEndInStatus6Quickly)
{
    std::string laughs = "<!DOCTYPE A SYSTEM [<!ENTITY l0 \"lol\">";
    for (int i = 1; i <= 9; ++i)
        laughs += "<!ENTITY l" + std::to_string(i) + " \"" + repeat("&l" + std::to_string(i - 1) + ";", 10) + "\">";
    laughs += "]><A><Type><V>&l9;</V></Type></A>";
    const std::string self = at("A_ElectrodeMat.xml").generic_u8string();
    const struct {
        const char* name;
        std::string answer;
    } cases[] = {
        {"billion laughs", laughs},
        {"a million levels deep", "<A><Type><V>" + repeat("<a>", 1000000)},
        {"external entity naming its own file",
         "<!DOCTYPE A SYSTEM [<!ENTITY self SYSTEM \"" + self + "\">]><A><Type><V>&self;</V></Type></A>"},
    };
    install("answers_from_file");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        write_bytes(at("answer.xml"), c.answer);
        const auto begin = std::chrono::steady_clock::now();
        Reply reply = host.electrode_materials("1.2379");
        EXPECT_LT(std::chrono::steady_clock::now() - begin, testsupport::prompt);
        EXPECT_EQ(said(reply), "6:<null>");
    }
}

TEST_F(QueryFaults, AnswerOfAGibibyteIsNotRead)
{
    install("answers_huge");
    const auto begin = std::chrono::steady_clock::now();
    Reply reply = host.electrode_materials("1.2379");
    EXPECT_LT(std::chrono::steady_clock::now() - begin, testsupport::prompt);
    EXPECT_EQ(reply.status, 6);
    EXPECT_EQ(fs::file_size(at("A_ElectrodeMat.xml")), (std::uintmax_t(1) << 30) + 1);
}

} // namespace
