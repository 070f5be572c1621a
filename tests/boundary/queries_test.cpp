// The three queries end to end, as a host sees them: the library loaded at
// run time, stand-in technology programs in a scratch exchange directory,
// and the files left there afterwards.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "queryHost.h"
#include "requests/requestKindTable.h"
#include "support/tempDir.h"
#include "support/testPrograms.h"

namespace {

namespace fs = std::filesystem;
using querytest::Queries;
using querytest::Reply;
using querytest::said;
using testsupport::read_bytes;
using testsupport::text_mode_line_end;
using testsupport::write_bytes;

// The request file as it must be: each line ended as text mode ends it.
std::string request_text(const std::vector<std::string>& lines)
{
    static const std::string end = text_mode_line_end();
    std::string text;
    for (const std::string& line : lines)
        text += line + end;
    return text;
}

const char kTwoValues[] =
    "<Answer>\n  <Type><Material>Copper</Material></Type>\n"
    "  <Type><Material>Graphite</Material></Type>\n</Answer>\n";

TEST_F(Queries, AnswerFilesBecomeStatusesAndValues)
{
    const struct {
        const char* name;
        const char* answer;
        const char* reply; // as said() spells it
    } cases[] = {
        {"two values", kTwoValues, "0:Copper\nGraphite"},
        {"no Type elements", "<Answer/>", "0:"},
        {"Type deeper down", "<A><B><Type><V>x</V></Type></B></A>", "0:"},
        {"lower-case type", "<A><type><V>x</V></type></A>", "0:"},
        {"comment before the value element", "<A><Type><!--c--><V>x</V></Type></A>", "0:x"},
        {"nested text joined, untrimmed", "<A><Type><V> a<b>b</b>c </V></Type></A>", "0: abc "},
        {"UTF-8 with declaration",
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<A><Type><V>Kupfer-Wolfram \xC3\xA4</V></Type></A>",
         "0:Kupfer-Wolfram \xC3\xA4"},
        {"windows-1252 with declaration",
         "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n<A><Type><V>\xE4</V></Type></A>\r\n",
         "0:\xC3\xA4"},
        {"Type with text only", "<A><Type>Copper</Type></A>", "6:<null>"},
        {"empty value", "<A><Type><V/></Type></A>", "6:<null>"},
        {"one bad value spoils all", "<A><Type><V>x</V></Type><Type><V></V></Type></A>", "6:<null>"},
        {"not well-formed", "<A><Type><V>x</V></Type>", "6:<null>"},
        {"empty file", "", "6:<null>"},
        {"UTF-8 without declaration", "<A><Type><V>\xC3\xA4</V></Type></A>", "6:<null>"},
    };
    install("answers_from_file");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        write_bytes(at("answer.xml"), c.answer);
        EXPECT_EQ(said(host.electrode_materials("1.2379")), c.reply);
        // Both files stay; the answer is the program's, byte for byte.
        EXPECT_TRUE(fs::is_regular_file(at("R_ElectrodeMat.xml")));
        EXPECT_EQ(read_bytes(at("A_ElectrodeMat.xml")), c.answer);
    }
}

TEST_F(Queries, ProgramThatLeavesNoAnswer)
{
    // A stale answer from an earlier run must not pass for the new one.
    install("exits_at_once");
    write_bytes(at("A_ElectrodeMat.xml"), kTwoValues);
    Reply reply = host.electrode_materials("1.2379");
    EXPECT_EQ(said(reply), "5:<null>");
    EXPECT_TRUE(fs::is_regular_file(at("R_ElectrodeMat.xml")));
    EXPECT_FALSE(fs::exists(at("A_ElectrodeMat.xml")));
}

TEST_F(Queries, MissingProgramFailsToStartAfterTheRequestIsWritten)
{
    Reply reply = host.surface_finishes("1.2379", "Copper");
    EXPECT_EQ(said(reply), "4:<null>");
    EXPECT_TRUE(fs::is_regular_file(at("R_SurfaceFinish.xml")));
    EXPECT_FALSE(fs::exists(at("A_SurfaceFinish.xml")));
}

TEST_F(Queries, DirectoryInTheWayOfAFile)
{
    install("writes_beside_itself");
    // In the request's place nothing is written and nothing started; in the
    // answer's place the request is written first.
    fs::create_directory(at("R_ElectrodeMat.xml"));
    EXPECT_EQ(host.electrode_materials("1.2379").status, 3);
    fs::remove(at("R_ElectrodeMat.xml"));
    fs::create_directory(at("A_ElectrodeMat.xml"));
    EXPECT_EQ(host.electrode_materials("1.2379").status, 3);
    EXPECT_TRUE(fs::is_regular_file(at("R_ElectrodeMat.xml")));
    EXPECT_FALSE(fs::exists(at("ran.txt")));
}

TEST_F(Queries, BadArgumentsAndNoExchangeDirectoryTouchNothing)
{
    install_answer(kTwoValues);
    EXPECT_EQ(host.electrode_materials("\xC3").status, 2);
    EXPECT_EQ(host.surface_finishes("1.2379", "\xFF").status, 2);
    EXPECT_EQ(host.optimum_undersizes("\x80", "Copper", 1, 1, 1, 1).status, 2);
    EXPECT_FALSE(fs::exists(at("R_ElectrodeMat.xml")));
    EXPECT_FALSE(fs::exists(at("R_SurfaceFinish.xml")));
    EXPECT_FALSE(fs::exists(at("R_OptimumUndersize.xml")));

    ASSERT_EQ(host.set("ImportStudyPath", ""), 0);
    Reply reply = host.electrode_materials("1.2379");
    EXPECT_EQ(said(reply), "2:<null>");
    EXPECT_FALSE(fs::exists(at("R_ElectrodeMat.xml")));
}

TEST_F(Queries, ReadOnlyStaleRequestIsReplaced)
{
    install_answer(kTwoValues);
    write_bytes(at("R_ElectrodeMat.xml"), "stale");
    fs::permissions(at("R_ElectrodeMat.xml"), fs::perms::owner_read | fs::perms::group_read |
                                                  fs::perms::others_read);
    EXPECT_EQ(host.electrode_materials("1.2379").status, 0);
    EXPECT_NE(read_bytes(at("seen_R_ElectrodeMat.xml")), "stale");
}

TEST_F(Queries, RequestFilesHoldTheKindsParametersInOrder)
{
    const std::string study = exchange.path().generic_u8string();
    install_answer("<Answer/>");
    install("answers_from_file", "SurfaceFinish.exe");
    install("answers_from_file", "OptimumUndersize.exe");
    ASSERT_EQ(host.set("MachineName", "M<1> & Co &amp;"), 0);
    ASSERT_EQ(host.set("TypeOfDielectric", nullptr), 0);
    ASSERT_EQ(host.set("TypeOfDialectric", "Oil"), 0);
    ASSERT_EQ(host.set("SurfaceFinish", "overridden by the argument"), 0);
    ASSERT_EQ(host.set("CavityAngle", "2.5"), 0);

    ASSERT_EQ(host.electrode_materials("1.2379").status, 0);
    ASSERT_EQ(host.surface_finishes("1.2343", "Copper").status, 0);
    ASSERT_EQ(host.optimum_undersizes("1.2311", "Graphite", 12.5, 50, 0, 120).status, 0);

    const std::string machine = "  <MachineName>M&lt;1&gt; &amp; Co &amp;</MachineName>";
    // The program saw each request complete; it stays as it was written.
    const struct {
        const char* file;
        std::string bytes;
    } requests[] = {
        {"R_ElectrodeMat.xml",
         request_text({"<RequestElectrodeMaterial>", "  <ImportStudyPath>" + study + "</ImportStudyPath>",
                       machine, "  <MachineSoftwareVersion></MachineSoftwareVersion>",
                       "  <TypeOfDialectric>Oil</TypeOfDialectric>",
                       "  <PartMaterial>1.2379</PartMaterial>", "</RequestElectrodeMaterial>"})},
        {"R_SurfaceFinish.xml",
         request_text({"<RequestSurfaceFinish>", "  <ImportStudyPath>" + study + "</ImportStudyPath>",
                       machine, "  <MachineSoftwareVersion></MachineSoftwareVersion>",
                       "  <TypeOfDielectric/>", "  <PartMaterial>1.2343</PartMaterial>",
                       "  <ElectrodeMaterial>Copper</ElectrodeMaterial>",
                       "  <ApplicationType></ApplicationType>",
                       "  <WearSpeedPriority></WearSpeedPriority>", "</RequestSurfaceFinish>"})},
        {"R_OptimumUndersize.xml",
         request_text({"<RequestOptimumUndersize>",
                       "  <ImportStudyPath>" + study + "</ImportStudyPath>", machine,
                       "  <MachineSoftwareVersion></MachineSoftwareVersion>",
                       "  <TypeOfDielectric/>", "  <PartMaterial>1.2311</PartMaterial>",
                       "  <ElectrodeMaterial>Graphite</ElectrodeMaterial>",
                       "  <CavityStyle></CavityStyle>", "  <MachiningDepth>12.500000</MachiningDepth>",
                       "  <AttackFrontalSurface>0.500000</AttackFrontalSurface>",
                       "  <CavityAngle>2.5</CavityAngle>", "  <ContactSurface></ContactSurface>",
                       "  <SurfaceFinish>0.000000</SurfaceFinish>",
                       "  <ApplicationType></ApplicationType>", "  <MachiningCycle></MachiningCycle>",
                       "  <WearSpeedPriority></WearSpeedPriority>",
                       "  <CHSpeedPriority></CHSpeedPriority>",
                       "  <TotalLengthOfElectrode>0.120000</TotalLengthOfElectrode>",
                       "</RequestOptimumUndersize>"})},
    };
    for (const auto& r : requests) {
        SCOPED_TRACE(r.file);
        EXPECT_EQ(read_bytes(at(r.file)), r.bytes);
        EXPECT_EQ(read_bytes(at(std::string("seen_") + r.file)), r.bytes);
    }
}

TEST_F(Queries, TextOutsideAsciiMakesAWindows1252Request)
{
    const std::string study = exchange.path().generic_u8string();
    install_answer("<Answer/>");
    ASSERT_EQ(host.electrode_materials("Stahl geh\xC3\xA4rtet \xE4\xB8\x80").status, 0);
    // U+4E00 has no place in code page 1252 and becomes its default character.
    EXPECT_EQ(read_bytes(at("R_ElectrodeMat.xml")),
              request_text({"<?xml version=\"1.0\" encoding=\"windows-1252\"?>",
                            "<RequestElectrodeMaterial>",
                            "  <ImportStudyPath>" + study + "</ImportStudyPath>",
                            "  <MachineName></MachineName>",
                            "  <MachineSoftwareVersion></MachineSoftwareVersion>",
                            "  <TypeOfDialectric></TypeOfDialectric>",
                            "  <PartMaterial>Stahl geh\xE4rtet ?</PartMaterial>",
                            "</RequestElectrodeMaterial>"}));
}

TEST_F(Queries, FailedQueriesLeaveTheHostsParameters)
{
    ASSERT_EQ(host.set("MachineName", "Kept"), 0);
    EXPECT_EQ(host.electrode_materials("\xC3").status, 2);   // bad argument
    EXPECT_EQ(host.electrode_materials("First").status, 4);  // no program
    install("exits_at_once");
    EXPECT_EQ(host.electrode_materials("Second").status, 5); // no answer
    install_answer("<A><Type/></A>");
    EXPECT_EQ(host.electrode_materials("Third").status, 6);  // invalid answer
    EXPECT_EQ(host.electrode_materials("Fourth").status, 6);
    const std::string request = read_bytes(at("R_ElectrodeMat.xml"));
    EXPECT_NE(request.find("<MachineName>Kept</MachineName>"), std::string::npos) << request;
}

TEST_F(Queries, InstalledWhenEveryKindsProgramIsAFile)
{
    const std::vector<std::string> programs = {
#define PROGRAM(Class, query, request, root, program, names) program,
        QEL_REQUEST_KINDS(PROGRAM)
#undef PROGRAM
    };
    EXPECT_FALSE(host.installed());
    for (const std::string& program : programs)
        install("exits_at_once", program.c_str());
    EXPECT_TRUE(host.installed());
    // Each one missing, or a directory in its place, is not installed.
    for (const std::string& program : programs) {
        SCOPED_TRACE(program);
        fs::rename(at(program), at("aside"));
        EXPECT_FALSE(host.installed());
        fs::create_directory(at(program));
        EXPECT_FALSE(host.installed());
        fs::remove(at(program));
        fs::rename(at("aside"), at(program));
    }
    EXPECT_TRUE(host.installed());
    // Written with a trailing separator, the same directory.
    host.set("ImportStudyPath", (exchange.path().generic_u8string() + "/").c_str());
    EXPECT_TRUE(host.installed());
}

} // namespace
