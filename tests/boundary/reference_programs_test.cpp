// The reference technology program, installed by the build under every
// program name of the kind table in <build>/exchange, asked through the
// library as a host asks it.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "requests/process.h"
#include "requests/qliAnswerFile.h"
#include "support/kindRows.h"
#include "support/scopedLocale.h"

#include "queryHost.h"

namespace {

namespace fs = std::filesystem;
using testsupport::read_bytes;
using testsupport::write_bytes;

// The tests run in the build directory, which holds the installed programs.
const fs::path installed_exchange = fs::absolute("exchange");

using Kind = testsupport::KindRow;
const std::vector<Kind>& kKinds = testsupport::kind_rows();

void install_programs(const fs::path& directory)
{
    for (const Kind& kind : kKinds)
        fs::copy_file(installed_exchange / kind.program, directory / kind.program);
    fs::copy_file(installed_exchange / "sample-technology.txt", directory / "sample-technology.txt");
}

// Every row of the kind table, a new one included: the program installed
// under the row's name reads a request of the row's root whose parameters
// are all empty, and answers it.
TEST(ReferenceProgram, AnswersEveryKindOfTheTable)
{
    for (const Kind& kind : kKinds) {
        SCOPED_TRACE(kind.program);
        testsupport::ScratchDirectory exchange;
        install_programs(exchange.path());
        std::string request = "<" + kind.root + ">\n";
        for (const std::string& name : kind.parameters)
            request += "  <" + name + "></" + name + ">\n";
        write_bytes(exchange.path() / ("R_" + kind.request + ".xml"), request + "</" + kind.root + ">\n");

        ASSERT_EQ(process::start_and_wait(testsupport::library_text(exchange.path() / kind.program),
                                          process::program_time_limit_ms),
                  1);
        std::ifstream answer(exchange.path() / ("A_" + kind.request + ".xml"), std::ios::binary);
        ASSERT_TRUE(answer.good()) << "no A_" << kind.request << ".xml";
        EXPECT_FALSE(qliAnswerFile(answer).invalid());
    }
}

class ReferencePrograms : public ::testing::Test {
protected:
    void SetUp() override
    {
        install_programs(exchange.path());
        ASSERT_TRUE(host.ready()) << testsupport::library_file();
        host.set_study(exchange.path());
    }

    testsupport::ScratchDirectory exchange;
    querytest::Host host;
};

TEST_F(ReferencePrograms, AnswerTheThreeQuestionsFromTheSampleTable)
{
    EXPECT_TRUE(host.installed());
    querytest::expect_replies({
        {"electrodes for 1.2379", host.electrode_materials("1.2379"),
         "0:Graphite ultrafine grain\nCopper\nGraphite fine grain\nCopper-tungsten"},
        {"names ignore case", host.electrode_materials("CARBIDE"), "0:Copper-tungsten\nCopper"},
        {"unknown part: no values", host.electrode_materials("Unobtainium"), "0:"},
        {"finishes: the electrode's limit", host.surface_finishes("1.2379", "graphite fine grain"),
         "0:21\n24\n27\n30\n33\n36\n39\n42\n45"},
        {"finishes: the part's limit", host.surface_finishes("Aluminium", "Copper"),
         "0:18\n21\n24\n27\n30\n33\n36\n39\n42\n45"},
        {"finishes: electrode unsuited", host.surface_finishes("Carbide", "Graphite fine grain"), "0:"},
        // k = 1.00 * 1.00, Ra(18) = 0.80: 0.020 + 0.025 * 0.8 and 0.120 + 0.02 + 0.002 * 12.5.
        {"undersizes", host.optimum_undersizes("1.2379", "Copper", 12.5, 50, 18, 120), "0:0.040\n0.165"},
        // k = 1.30 * 1.10, Ra(24) = 1.60, depth 0.
        {"undersizes, shallow",
         host.optimum_undersizes("Aluminium", "Graphite fine grain", 0, 100, 24, 80), "0:0.086\n0.229"},
        {"undersizes: finish out of reach",
         host.optimum_undersizes("Aluminium", "Copper", 5, 50, 12, 80), "0:"},
        {"undersizes: negative depth", host.optimum_undersizes("1.2379", "Copper", -1, 50, 18, 80), "0:"},
    });
}

TEST_F(ReferencePrograms, ReadWindows1252RequestsAndAnswerInUtf8)
{
    // A table of the program's own with text outside ASCII on both sides.
    write_bytes(exchange.path() / "sample-technology.txt",
                "electrode | Kupfer \xC3\xA4 | 1 | 12\n"
                "part | Stahl geh\xC3\xA4rtet | 1 | 12 | Kupfer \xC3\xA4\n");
    EXPECT_EQ(querytest::said(host.electrode_materials("stahl geh\xC3\xA4rtet")), "0:Kupfer \xC3\xA4");
    const std::string answer = read_bytes(exchange.path() / "A_ElectrodeMat.xml");
    EXPECT_EQ(answer.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>", 0), 0u) << answer;
}

TEST_F(ReferencePrograms, WithoutItsTableTheProgramWritesNoAnswer)
{
    fs::remove(exchange.path() / "sample-technology.txt");
    EXPECT_EQ(host.electrode_materials("1.2379").status, 5);
    write_bytes(exchange.path() / "sample-technology.txt", "part | 1.2379 | x | 12 | Copper\n");
    EXPECT_EQ(host.electrode_materials("1.2379").status, 5);
}

// An exchange directory whose name is not ASCII and holds blanks works the
// same for a host that never sets a locale and for one in a UTF-8 locale.
class ReferenceProgramsInNonAsciiDirectory : public testsupport::InEachLocale {};

TEST_P(ReferenceProgramsInNonAsciiDirectory, AnswerInAnyLocale)
{
    testsupport::ScratchDirectory scratch;
    const fs::path directory = scratch.path() / fs::u8path(u8"Pr\u00FCfstand \u00FC/\u00D6lbad");
    fs::create_directories(directory);
    install_programs(directory);
    querytest::Host host;
    ASSERT_TRUE(host.ready());
    host.set_study(directory);
    EXPECT_TRUE(host.installed());
    EXPECT_EQ(host.electrode_materials("CARBIDE").text, "Copper-tungsten\nCopper");
    EXPECT_EQ(host.surface_finishes("Carbide", "Graphite fine grain").status, 0);
    EXPECT_EQ(host.optimum_undersizes("1.2379", "Copper", 12.5, 50, 18, 120).text, "0.040\n0.165");
    EXPECT_TRUE(fs::is_regular_file(directory / "A_OptimumUndersize.xml"));
}

QEL_IN_EACH_LOCALE(ReferenceProgramsInNonAsciiDirectory);

} // namespace
