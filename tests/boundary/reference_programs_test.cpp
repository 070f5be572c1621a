// The reference technology program, installed by the build under its three
// names in <build>/exchange, asked through the library as a host asks it.
#include <gtest/gtest.h>

#include <string>

#include "support/dynlib.h"
#include "support/tempDir.h"
#include "support/testPrograms.h"

namespace {

namespace fs = std::filesystem;
using testsupport::read_bytes;
using testsupport::write_bytes;

// The tests run in the build directory, which holds the installed programs.
const fs::path installed_exchange = fs::absolute("exchange");

struct Reply {
    int status;
    std::string text; // "<null>" for a null result
};

class ReferencePrograms : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* file : {"ElectrodeMaterial.exe", "SurfaceFinish.exe",
                                 "OptimumUndersize.exe", "sample-technology.txt"})
            fs::copy_file(installed_exchange / file, exchange.path() / file);
        auto set = library.function<void (*)(const char*, const char*, int*)>("set_parameter_value");
        ASSERT_NE(set, nullptr) << testsupport::library_file();
        int status = -1;
        set("ImportStudyPath", exchange.path().generic_u8string().c_str(), &status);
        ASSERT_EQ(status, 0);
    }

    Reply electrode_materials(const char* part)
    {
        int status = -1;
        auto query = library.function<const char* (*)(const char*, int*)>("electrode_materials");
        const char* text = query(part, &status);
        return take(text, status);
    }
    Reply surface_finishes(const char* part, const char* electrode)
    {
        int status = -1;
        auto query =
            library.function<const char* (*)(const char*, const char*, int*)>("surface_finishes");
        const char* text = query(part, electrode, &status);
        return take(text, status);
    }
    Reply optimum_undersizes(const char* part, const char* electrode, double depth, double attack,
                             double finish, double length)
    {
        int status = -1;
        auto query = library.function<const char* (*)(const char*, const char*, double, double,
                                                      double, double, int*)>("optimum_undersizes");
        const char* text = query(part, electrode, depth, attack, finish, length, &status);
        return take(text, status);
    }

    Reply take(const char* text, int status)
    {
        Reply reply{status, text ? text : "<null>"};
        library.function<void (*)(void*)>("delete_string")(const_cast<char*>(text));
        return reply;
    }

    testsupport::ScratchDirectory exchange;
    testsupport::DynamicLibrary library{testsupport::library_file()};
};

TEST_F(ReferencePrograms, AnswerTheThreeQuestionsFromTheSampleTable)
{
    EXPECT_TRUE(library.function<bool (*)()>("qel_installed")());
    const struct {
        const char* question;
        Reply reply;
        Reply expected;
    } cases[] = {
        {"electrodes for 1.2379", electrode_materials("1.2379"),
         {0, "Graphite ultrafine grain\nCopper\nGraphite fine grain\nCopper-tungsten"}},
        {"names ignore case", electrode_materials("CARBIDE"), {0, "Copper-tungsten\nCopper"}},
        {"unknown part: no values", electrode_materials("Unobtainium"), {0, ""}},
        {"finishes: the electrode's limit", surface_finishes("1.2379", "graphite fine grain"),
         {0, "21\n24\n27\n30\n33\n36\n39\n42\n45"}},
        {"finishes: the part's limit", surface_finishes("Aluminium", "Copper"),
         {0, "18\n21\n24\n27\n30\n33\n36\n39\n42\n45"}},
        {"finishes: electrode unsuited", surface_finishes("Carbide", "Graphite fine grain"),
         {0, ""}},
        // k = 1.00 * 1.00, Ra(18) = 0.80: 0.020 + 0.025 * 0.8 and 0.120 + 0.02 + 0.002 * 12.5.
        {"undersizes", optimum_undersizes("1.2379", "Copper", 12.5, 50, 18, 120),
         {0, "0.040\n0.165"}},
        // k = 1.30 * 1.10, Ra(24) = 1.60, depth 0.
        {"undersizes, shallow", optimum_undersizes("Aluminium", "Graphite fine grain", 0, 100, 24, 80),
         {0, "0.086\n0.229"}},
        {"undersizes: finish out of reach", optimum_undersizes("Aluminium", "Copper", 5, 50, 12, 80),
         {0, ""}},
        {"undersizes: negative depth", optimum_undersizes("1.2379", "Copper", -1, 50, 18, 80), {0, ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.question);
        EXPECT_EQ(c.reply.status, c.expected.status);
        EXPECT_EQ(c.reply.text, c.expected.text);
    }
}

TEST_F(ReferencePrograms, ReadWindows1252RequestsAndAnswerInUtf8)
{
    // A table of the program's own with text outside ASCII on both sides.
    write_bytes(exchange.path() / "sample-technology.txt",
                "electrode | Kupfer \xC3\xA4 | 1 | 12\n"
                "part | Stahl geh\xC3\xA4rtet | 1 | 12 | Kupfer \xC3\xA4\n");
    Reply reply = electrode_materials("stahl geh\xC3\xA4rtet");
    EXPECT_EQ(reply.status, 0);
    EXPECT_EQ(reply.text, "Kupfer \xC3\xA4");
    const std::string answer = read_bytes(exchange.path() / "A_ElectrodeMat.xml");
    EXPECT_EQ(answer.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>", 0), 0u) << answer;
}

TEST_F(ReferencePrograms, WithoutItsTableTheProgramWritesNoAnswer)
{
    fs::remove(exchange.path() / "sample-technology.txt");
    EXPECT_EQ(electrode_materials("1.2379").status, 5);
    write_bytes(exchange.path() / "sample-technology.txt", "part | 1.2379 | x | 12 | Copper\n");
    EXPECT_EQ(electrode_materials("1.2379").status, 5);
}

} // namespace
