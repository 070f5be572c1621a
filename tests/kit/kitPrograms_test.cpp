// Programs written with the kit, asked through the library as a host asks
// them, from an exchange directory whose path holds blanks and characters
// beyond ASCII.
#include <gtest/gtest.h>

#include <string>

#include "boundary/queryHost.h"
#include "support/scopedLocale.h"

namespace {

namespace fs = std::filesystem;
using querytest::said;

class KitPrograms : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.ready()) << testsupport::library_file();
        fs::create_directory(exchange);
        host.set_study(exchange);
        for (const char* name : {"MachineName", "MachineSoftwareVersion", "TypeOfDialectric",
                                 "TypeOfDielectric", "ApplicationType", "WearSpeedPriority"})
            ASSERT_EQ(host.set(name, ""), 0);
    }

    void install(const fs::path& program)
    {
        for (const char* name : {"ElectrodeMaterial.exe", "SurfaceFinish.exe", "OptimumUndersize.exe"})
            fs::copy_file(program, exchange / name, fs::copy_options::overwrite_existing);
    }
    void install_examples()
    {
        const fs::path examples = fs::absolute(QEL_EXAMPLE_DIR);
        const std::string suffix = QEL_EXE_SUFFIX;
        fs::copy_file(examples / ("electrode_material" + suffix), exchange / "ElectrodeMaterial.exe");
        fs::copy_file(examples / ("surface_finish" + suffix), exchange / "SurfaceFinish.exe");
        fs::copy_file(examples / ("optimum_undersize" + suffix), exchange / "OptimumUndersize.exe");
    }

    // The library hands POSIX paths to the system in the C runtime's
    // multibyte encoding, as a host that sets a UTF-8 locale does.
    testsupport::ScopedLocale locale = testsupport::ScopedLocale::utf8();
    testsupport::ScratchDirectory scratch;
    // Not beyond the ANSI code page: the library writes the request file
    // through the directory's name in that code page on Windows.
    const fs::path exchange = scratch.path() / fs::u8path("ex change \xC3\xA4");
    const std::string study = exchange.generic_u8string();
    querytest::Host host;
};

// The echo answers "Name=value" per parameter, then the part material alone:
// every value goes through the request, the kit's reading, the kit's
// writing and the library's reading of the answer.
TEST_F(KitPrograms, ReadEveryRequestAndAnswerByteForByte)
{
    install(testsupport::test_program("kit_echo"));
    ASSERT_EQ(host.set("MachineName", "<M & 1> \"x\" 'y'"), 0);
    ASSERT_EQ(host.set("MachineSoftwareVersion", nullptr), 0);
    ASSERT_EQ(host.set("TypeOfDialectric", "  "), 0);
    ASSERT_EQ(host.set("TypeOfDielectric", "\xC3\x96l \xE2\x82\xAC \xC3\xBF"), 0);
    ASSERT_EQ(host.set("ApplicationType", "&lt; is written as is and reads as <"), 0);
    ASSERT_EQ(host.set("WearSpeedPriority", "two\nlines"), 0);

    EXPECT_EQ(said(host.electrode_materials("Stahl geh\xC3\xA4rtet")),
              "0:ImportStudyPath=" + study +
                  "\nMachineName=<M & 1> \"x\" 'y'\nMachineSoftwareVersion\nTypeOfDialectric=  \n"
                  "PartMaterial=Stahl geh\xC3\xA4rtet\nStahl geh\xC3\xA4rtet");
    EXPECT_EQ(said(host.electrode_materials(" ")),
              "0:ImportStudyPath=" + study +
                  "\nMachineName=<M & 1> \"x\" 'y'\nMachineSoftwareVersion\nTypeOfDialectric=  \n"
                  "PartMaterial= \n ");
    EXPECT_EQ(said(host.surface_finishes("a<b>c", "")),
              "0:ImportStudyPath=" + study +
                  "\nMachineName=<M & 1> \"x\" 'y'\nMachineSoftwareVersion\n"
                  "TypeOfDielectric=\xC3\x96l \xE2\x82\xAC \xC3\xBF\nPartMaterial=a<b>c\nElectrodeMaterial=\n"
                  "ApplicationType=< is written as is and reads as <\nWearSpeedPriority=two\nlines\na<b>c");
    const querytest::Reply undersizes = host.optimum_undersizes("", "Cu", 12.5, 50, 18, 120);
    EXPECT_EQ(undersizes.status, 0);
    for (const char* expected : {"\nPartMaterial=\nElectrodeMaterial=Cu\n", "\nMachiningDepth=12.500000\n",
                                 "\nAttackFrontalSurface=0.500000\n", "\nSurfaceFinish=18.000000\n",
                                 "\nTotalLengthOfElectrode=0.120000"})
        EXPECT_NE(undersizes.text.find(expected), std::string::npos) << expected << " in " << undersizes.text;
}

TEST_F(KitPrograms, TheExamplesAnswerTheirQuestions)
{
    install_examples();
    querytest::expect_replies({
        {"electrodes", host.electrode_materials("1.2379"), "0:Copper\nGraphite fine grain"},
        {"no electrodes", host.electrode_materials("Stahl geh\xC3\xA4rtet"), "0:"},
        {"finishes with copper", host.surface_finishes("1.2379", "Copper"),
         "0:12\n15\n18\n21\n24\n27\n30\n33\n36\n39\n42\n45"},
        {"finishes with graphite", host.surface_finishes("1.2379", "Graphite"),
         "0:18\n21\n24\n27\n30\n33\n36\n39\n42\n45"},
        {"no finishes", host.surface_finishes("Unobtainium", "Copper"), "0:"},
        {"undersizes", host.optimum_undersizes("1.2379", "Copper", 12.5, 50, 18, 120), "0:0.020\n0.145"},
        {"no undersizes", host.optimum_undersizes("1.2379", "Copper", -1, 50, 18, 120), "0:"},
    });
}

TEST_F(KitPrograms, ThePythonExampleAnswersAsTheCOneDoes)
{
#ifdef QEL_PYTHON_EXAMPLE
    const fs::path program = exchange / "ElectrodeMaterial.exe";
    fs::copy_file(QEL_PYTHON_EXAMPLE, program);
    fs::permissions(program, fs::perms::owner_all, fs::perm_options::add);
    EXPECT_EQ(said(host.electrode_materials("1.2379")), "0:Copper\nGraphite fine grain");
    EXPECT_EQ(said(host.electrode_materials("Stahl geh\xC3\xA4rtet")), "0:");
#else
    GTEST_SKIP() << "the library starts a script only on POSIX";
#endif
}

} // namespace
