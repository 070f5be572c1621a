// Writing answers with the kit: the bytes, what the library's own answer
// reader makes of them, and the values the kit refuses up front.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "core/coiFiller.h"
#include "qelprogram.h"
#include "requests/qliAnswerFile.h"
#include "support/tempDir.h"

namespace {

namespace fs = std::filesystem;
using Values = std::vector<std::string>;

std::vector<const char*> pointers(const Values& values)
{
    std::vector<const char*> out;
    for (const std::string& v : values)
        out.push_back(v.c_str());
    return out;
}

// The answer's bytes, or "error <code>: <message>".
std::string formatted(const Values& values, qp_kind kind = QP_ELECTRODE_MATERIAL)
{
    const std::vector<const char*> p = pointers(values);
    char* bytes = nullptr;
    size_t size = 0;
    qp_error error;
    const qp_status status = qp_format_answer(kind, p.data(), p.size(), &bytes, &size, &error);
    if (status != QP_OK) {
        EXPECT_EQ(bytes, nullptr);
        EXPECT_EQ(error.code, status);
        return "error " + std::to_string(status) + ": " + error.message;
    }
    EXPECT_EQ(bytes[size], '\0');
    std::string out(bytes, size);
    qp_free(bytes);
    return out;
}

// What the library's answer reader makes of the bytes.
Values read_back(const std::string& bytes, bool* invalid)
{
    std::istringstream in(bytes);
    qliAnswerFile answer(in);
    *invalid = answer.invalid();
    std::vector<apString> values;
    answer.answer_values(coiFillers::make_filler(values));
    Values out;
    for (const apString& v : values)
        out.push_back(v.utf8_str());
    return out;
}

const std::string declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

TEST(KitAnswer, LaysOutEachKind)
{
    EXPECT_EQ(formatted({}), declaration + "<ElectrodeMaterials/>\n");
    EXPECT_EQ(formatted({"Copper", "Graphite"}),
              declaration + "<ElectrodeMaterials>\n  <Type><Material>Copper</Material></Type>\n"
                            "  <Type><Material>Graphite</Material></Type>\n</ElectrodeMaterials>\n");
    EXPECT_EQ(formatted({"21"}, QP_SURFACE_FINISH),
              declaration + "<SurfaceFinishes>\n  <Type><VDI3400>21</VDI3400></Type>\n</SurfaceFinishes>\n");
    EXPECT_EQ(formatted({"0.040"}, QP_OPTIMUM_UNDERSIZE),
              declaration + "<OptimumUndersizes>\n  <Type><UndersizePerSide>0.040</UndersizePerSide>"
                            "</Type>\n</OptimumUndersizes>\n");
}

// Each value as written between the value element's tags, and read back by
// the library exactly as given.
TEST(KitAnswer, EscapesSoThatTheLibraryReadsEveryValueBack)
{
    const struct {
        const char* what;
        std::string value;
        std::string written;
    } cases[] = {
        {"plain", "Copper", "Copper"},
        {"markup characters", "a<b>c&d", "a&lt;b&gt;c&amp;d"},
        {"a reference is text", "&lt;&#38;", "&amp;lt;&amp;#38;"},
        {"quotes stay", "\"'", "\"'"},
        {"one blank", " ", "&#32;"},
        {"blanks only", "  \t", "&#32; \t"},
        {"a tab only", "\t", "&#09;"},
        {"a line feed only", "\n\n", "&#10;\n"},
        {"a carriage return anywhere", "a\rb\r\n", "a&#13;b&#13;\n"},
        {"a carriage return only", "\r", "&#13;"},
        {"blanks around text", "  a b  ", "&#32; a b  "},
        {"a blank before markup", " <", "&#32;&lt;"},
        {"blanks before a carriage return", "\t\r'\n", "&#09;&#13;'\n"},
        {"a line feed before text", "\nx", "&#10;x"},
        {"blanks after markup", "&  \t", "&amp;  \t"},
        {"non-ASCII", "Stahl geh\xC3\xA4rtet \xE2\x82\xAC \xF0\x9F\x94\xA7", "Stahl geh\xC3\xA4rtet \xE2\x82\xAC \xF0\x9F\x94\xA7"},
        {"U+0080", "\xC2\x80", "\xC2\x80"},
        {"U+07FF and U+0800", "\xDF\xBF\xE0\xA0\x80", "\xDF\xBF\xE0\xA0\x80"},
        {"U+D7FF and U+E000", "\xED\x9F\xBF\xEE\x80\x80", "\xED\x9F\xBF\xEE\x80\x80"},
        {"U+FFFD", "\xEF\xBF\xBD", "\xEF\xBF\xBD"},
        {"U+10000 and U+10FFFF", "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF", "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF"},
        {"U+0020 and U+007F", " \x7F", "&#32;\x7F"},
        {"a long value", std::string(5000, 'x'), std::string(5000, 'x')},
    };
    Values all;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string bytes = formatted({c.value});
        EXPECT_EQ(bytes, declaration + "<ElectrodeMaterials>\n  <Type><Material>" + c.written +
                             "</Material></Type>\n</ElectrodeMaterials>\n");
        bool invalid = true;
        EXPECT_EQ(read_back(bytes, &invalid), Values{c.value});
        EXPECT_FALSE(invalid);
        all.push_back(c.value);
    }
    bool invalid = true;
    EXPECT_EQ(read_back(formatted(all), &invalid), all);
    EXPECT_FALSE(invalid);
}

TEST(KitAnswer, RefusesValuesTheAnswerCannotCarry)
{
    const std::string xml = ", a character that XML cannot carry";
    const struct {
        const char* what;
        Values values;
        std::string expected;
    } cases[] = {
        {"empty", {""}, "error 6: answer value 1 is empty: the library refuses an answer with an empty value (leave it out instead)"},
        {"the second empty", {"a", ""}, "error 6: answer value 2 is empty: the library refuses an answer with an empty value (leave it out instead)"},
        {"a lone continuation byte", {"a\x80"}, "error 6: answer value 1 is not UTF-8: byte 0x80 at offset 1"},
        {"an overlong two-byte form", {"\xC1\xBF"}, "error 6: answer value 1 is not UTF-8: byte 0xC1 at offset 0"},
        {"an overlong three-byte form", {"\xE0\x9F\xBF"}, "error 6: answer value 1 is not UTF-8: byte 0xE0 at offset 0"},
        {"an overlong four-byte form", {"\xF0\x8F\xBF\xBF"}, "error 6: answer value 1 is not UTF-8: byte 0xF0 at offset 0"},
        {"a surrogate", {"\xED\xA0\x80"}, "error 6: answer value 1 is not UTF-8: byte 0xED at offset 0"},
        {"past U+10FFFF", {"\xF4\x90\x80\x80"}, "error 6: answer value 1 is not UTF-8: byte 0xF4 at offset 0"},
        {"a five-byte lead", {"\xF8\x88\x80\x80\x80"}, "error 6: answer value 1 is not UTF-8: byte 0xF8 at offset 0"},
        {"cut short", {"ab\xE2\x82"}, "error 6: answer value 1 is not UTF-8: byte 0xE2 at offset 2"},
        {"a bad continuation", {"\xE2\x28\xA1"}, "error 6: answer value 1 is not UTF-8: byte 0xE2 at offset 0"},
        {"U+0001", {"a\x01"}, "error 6: answer value 1 holds U+0001 at offset 1" + xml},
        {"U+0008", {"\x08"}, "error 6: answer value 1 holds U+0008 at offset 0" + xml},
        {"U+000B", {"\x0B"}, "error 6: answer value 1 holds U+000B at offset 0" + xml},
        {"U+000C", {"\x0C"}, "error 6: answer value 1 holds U+000C at offset 0" + xml},
        {"U+000E", {"\x0E"}, "error 6: answer value 1 holds U+000E at offset 0" + xml},
        {"U+001F", {"\x1F"}, "error 6: answer value 1 holds U+001F at offset 0" + xml},
        {"U+FFFE", {"\xEF\xBF\xBE"}, "error 6: answer value 1 holds U+FFFE at offset 0" + xml},
        {"U+FFFF", {"x\xEF\xBF\xBF"}, "error 6: answer value 1 holds U+FFFF at offset 1" + xml},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(formatted(c.values), c.expected);
    }
}

TEST(KitAnswer, StaysWithinTheSizeTheLibraryReads)
{
    const size_t limit = static_cast<size_t>(QP_MAX_ANSWER_BYTES);
    const size_t frame = formatted({"x"}).size() - 1;
    // Plain text, and text whose escaped form is longer, up to the limit.
    const std::string plain(limit - frame, 'x');
    const std::string escaped = std::string((limit - frame) / 5, '&') + std::string((limit - frame) % 5, 'x');
    for (const std::string& value : {plain, escaped}) {
        EXPECT_EQ(formatted({value}).size(), limit);
        EXPECT_EQ(formatted({value + "x"}),
                  "error 6: the answer would be larger than 67108864 bytes, the most the library reads");
    }
    // Many values add up too.
    const size_t per_value = formatted({"x", "x"}).size() - formatted({"x"}).size();
    EXPECT_EQ(formatted(Values(limit / per_value + 1, "x")),
              "error 6: the answer would be larger than 67108864 bytes, the most the library reads");
}

TEST(KitAnswer, RefusesBadArguments)
{
    const char* values[] = {"a", nullptr};
    char* bytes = nullptr;
    size_t size = 0;
    qp_error error;
    EXPECT_EQ(qp_format_answer(QP_ELECTRODE_MATERIAL, values, 2, &bytes, &size, &error), QP_ERROR_ARGUMENT);
    EXPECT_STREQ(error.message, "answer value 2 is NULL");
    EXPECT_EQ(qp_format_answer(QP_ELECTRODE_MATERIAL, nullptr, 1, &bytes, &size, nullptr), QP_ERROR_ARGUMENT);
    EXPECT_EQ(qp_format_answer(static_cast<qp_kind>(3), values, 1, &bytes, &size, nullptr), QP_ERROR_ARGUMENT);
    EXPECT_EQ(qp_format_answer(QP_ELECTRODE_MATERIAL, values, 1, nullptr, &size, nullptr), QP_ERROR_ARGUMENT);
    EXPECT_EQ(qp_format_answer(QP_ELECTRODE_MATERIAL, values, 1, &bytes, nullptr, nullptr), QP_ERROR_ARGUMENT);
    EXPECT_EQ(qp_format_answer(QP_ELECTRODE_MATERIAL, nullptr, 0, &bytes, &size, nullptr), QP_OK);
    qp_free(bytes);
    EXPECT_EQ(qp_write_answer(nullptr, QP_ELECTRODE_MATERIAL, values, 1, nullptr), QP_ERROR_ARGUMENT);
}

class KitAnswerFile : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directory(directory); }

    // Every entry of the directory, by name.
    std::vector<std::string> entries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(directory))
            names.push_back(entry.path().filename().u8string());
        return names;
    }
    qp_status write(const Values& values, qp_error* error)
    {
        const std::vector<const char*> p = pointers(values);
        return qp_write_answer(dir.c_str(), QP_ELECTRODE_MATERIAL, p.data(), p.size(), error);
    }

    testsupport::TempDir temp;
    const fs::path directory = temp.at("Stahl geh\xC3\xA4rtet \xE2\x82\xAC");
    const std::string dir = directory.u8string();
};

TEST_F(KitAnswerFile, WritesTheAnswerBesideTheRequestAndNothingElse)
{
    qp_error error;
    testsupport::write_bytes(directory / "A_ElectrodeMat.xml", "an old answer");
    ASSERT_EQ(write({"K\xC3\xBCpfer", "a<b"}, &error), QP_OK) << error.message;
    EXPECT_EQ(error.code, QP_OK);
    EXPECT_EQ(testsupport::read_bytes(directory / "A_ElectrodeMat.xml"), formatted({"K\xC3\xBCpfer", "a<b"}));
    EXPECT_EQ(entries(), std::vector<std::string>{"A_ElectrodeMat.xml"});
}

TEST_F(KitAnswerFile, WritesNothingForARefusedValue)
{
    qp_error error;
    EXPECT_EQ(write({"a", ""}, &error), QP_ERROR_VALUE);
    EXPECT_TRUE(entries().empty());
}

TEST_F(KitAnswerFile, LeavesNoTemporaryFileWhenTheAnswerCannotBePutInPlace)
{
    qp_error error;
    fs::create_directory(directory / "A_ElectrodeMat.xml");
    EXPECT_EQ(write({"a"}, &error), QP_ERROR_WRITE);
    EXPECT_EQ(std::string(error.message).rfind("cannot put the answer in place as " + dir, 0), 0u)
        << error.message;
    EXPECT_EQ(entries(), std::vector<std::string>{"A_ElectrodeMat.xml"});
    EXPECT_TRUE(fs::is_directory(directory / "A_ElectrodeMat.xml"));
}

TEST_F(KitAnswerFile, ReportsAMissingDirectory)
{
    qp_error error;
    const std::string missing = dir + "/missing";
    const char* values[] = {"a"};
    EXPECT_EQ(qp_write_answer(missing.c_str(), QP_ELECTRODE_MATERIAL, values, 1, &error), QP_ERROR_WRITE);
    EXPECT_EQ(std::string(error.message).rfind("cannot create " + missing, 0), 0u) << error.message;
    EXPECT_TRUE(entries().empty());
}

} // namespace
