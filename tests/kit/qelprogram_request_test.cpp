// Reading requests with the kit: the forms the library writes, and clear
// refusals of everything else.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "core/apString.h"
#include "qelprogram.h"
#include "support/repeatText.h"
#include "support/tempDir.h"

namespace {

// The parameters as "name=[value]" (or "name" for a null value) joined by
// ";", or "error <code>: <message>".
std::string parsed(const std::string& bytes, qp_kind kind = QP_ELECTRODE_MATERIAL)
{
    qp_request* request = nullptr;
    qp_error error;
    const qp_status status = qp_parse_request(bytes.data(), bytes.size(), kind, &request, &error);
    if (status != QP_OK) {
        EXPECT_EQ(request, nullptr);
        EXPECT_EQ(error.code, status);
        return "error " + std::to_string(status) + ": " + error.message;
    }
    std::string out;
    for (size_t k = 0; k < qp_parameter_count(request); ++k) {
        const char* value = qp_parameter_value(request, k);
        out += (k ? ";" : "") + std::string(qp_parameter_name(request, k)) +
               (value ? "=[" + std::string(value) + "]" : "");
    }
    qp_free_request(request);
    return out;
}

const std::string root_open = "<RequestElectrodeMaterial>";
const std::string root_close = "</RequestElectrodeMaterial>";
const std::string cp1252_declaration = "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n";

// A table of requests: what each shows, its bytes, and what parsed() makes
// of them.
struct Parsing {
    const char* what;
    std::string bytes;
    std::string expected;
};

void expect_parsed(std::initializer_list<Parsing> cases)
{
    for (const Parsing& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(parsed(c.bytes), c.expected);
    }
}

// A request of one parameter element, as the library lays it out.
std::string one(const std::string& element, const std::string& head = "")
{
    return head + root_open + "\r\n  " + element + "\r\n" + root_close + "\r\n";
}

TEST(KitRequest, ReadsTheFormsTheLibraryWrites)
{
    expect_parsed({
        {"the library's example, Windows line ends",
         "<RequestElectrodeMaterial>\r\n  <ImportStudyPath>C:\\Study</ImportStudyPath>\r\n"
         "  <MachineName></MachineName>\r\n  <MachineSoftwareVersion></MachineSoftwareVersion>\r\n"
         "  <TypeOfDialectric></TypeOfDialectric>\r\n  <PartMaterial>1.2379</PartMaterial>\r\n"
         "</RequestElectrodeMaterial>\r\n",
         "ImportStudyPath=[C:\\Study];MachineName=[];MachineSoftwareVersion=[];TypeOfDialectric=[];"
         "PartMaterial=[1.2379]"},
        {"POSIX line ends", root_open + "\n  <A>x</A>\n  <B></B>\n" + root_close + "\n", "A=[x];B=[]"},
        {"a null value", one("<MachineName/>"), "MachineName"},
        {"code page 1252", one("<P>geh\xE4rtet \x80 \x81 \x9F \xA0 \xFF</P>", cp1252_declaration),
         "P=[geh\xC3\xA4rtet \xE2\x82\xAC \xC2\x81 \xC5\xB8 \xC2\xA0 \xC3\xBF]"},
        {"a declaration in other quotes and case",
         one("<P>\xE4</P>", "<?xml version='1.0' encoding='WINDOWS-1252' standalone='yes' ?>\n"),
         "P=[\xC3\xA4]"},
        {"an ASCII request with a declaration", one("<P>x</P>", cp1252_declaration), "P=[x]"},
        {"the predefined references", one("<P>&lt;&gt;&amp;&quot;&apos;</P>"), "P=[<>&\"']"},
        {"character references", one("<P>&#38;&#233;&#09;&#x20AC;&#x41;&#1114111;</P>"),
         "P=[&\xC3\xA9\t\xE2\x82\xAC" "A\xF4\x8F\xBF\xBF]"},
        {"the longest reference read", one("<P>&#00000000065;</P>"), "P=[A]"},
        {"a reference to a reference stays text", one("<P>&amp;lt;</P>"), "P=[&lt;]"},
        {"white space in a value is kept", one("<P>  a  b  </P>"), "P=[  a  b  ]"},
        {"a value of white space only", one("<P> \t </P>"), "P=[ \t ]"},
        {"line ends in a value read as XML reads them", one("<P>a\r\nb\rc\nd</P>"), "P=[a\nb\nc\nd]"},
        {"markup characters the library leaves raw", one("<P>a>b\"c'd</P>"), "P=[a>b\"c'd]"},
        {"control characters the library writes raw", one("<P>\x01\x1F\x7F</P>"), "P=[\x01\x1F\x7F]"},
        {"an empty root", "<RequestElectrodeMaterial/>", ""},
        {"a root without parameters", root_open + root_close, ""},
        {"blanks inside tags", "\n <RequestElectrodeMaterial >\n<P >v</P >\n<Q />\n</RequestElectrodeMaterial >\n\n",
         "P=[v];Q"},
        {"names with every name character",
         one("<a-b.c_d:e9\xE4>v</a-b.c_d:e9\xE4>", cp1252_declaration),
         "a-b.c_d:e9\xC3\xA4=[v]"},
        {"a repeated name", one("<P>1</P><P>2</P>"), "P=[1];P=[2]"},
    });
}

TEST(KitRequest, EachKindHasItsRoot)
{
    EXPECT_EQ(parsed("<RequestSurfaceFinish><P>v</P></RequestSurfaceFinish>", QP_SURFACE_FINISH), "P=[v]");
    EXPECT_EQ(parsed("<RequestOptimumUndersize><P>v</P></RequestOptimumUndersize>", QP_OPTIMUM_UNDERSIZE),
              "P=[v]");
    const std::string other_root = "error 5: the root element is not <RequestElectrodeMaterial>: this is "
                                   "not a request of this program's question";
    EXPECT_EQ(parsed("<RequestSurfaceFinish><P>v</P></RequestSurfaceFinish>", QP_ELECTRODE_MATERIAL),
              other_root);
    EXPECT_EQ(parsed("<RequestElectrodeMaterialX/>"), other_root);
}

TEST(KitRequest, RefusesWhatTheLibraryNeverWrites)
{
    const std::string at = "error 5: the request breaks its form at line ";
    const std::string malformed = "error 5: the request's XML declaration is malformed";
    const std::string no_character = at + "2, column 6: a character reference to no character";
    const std::string no_reference = "an \"&\" that starts no reference";
    expect_parsed({
        {"nothing", "", at + "1, column 1: the request ends where the root element was expected"},
        {"blanks only", " \r\n", at + "2, column 1: the request ends where the root element was expected"},
        {"a byte order mark", "\xEF\xBB\xBF" + one("<P/>"),
         "error 5: the request holds the byte 0xEF at offset 0 but no XML declaration: a request "
         "without one is ASCII"},
        {"code page 1252 without declaration", one("<P>\xE4</P>"),
         "error 5: the request holds the byte 0xE4 at offset 33 but no XML declaration: a request "
         "without one is ASCII"},
        {"a zero byte", one(std::string("<P>a\0b</P>", 10)),
         "error 5: the request holds a zero byte at offset 34"},
        {"UTF-8", one("<P/>", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"),
         "error 5: the request declares the encoding \"UTF-8\": requests are ASCII or windows-1252"},
        {"no encoding", one("<P/>", "<?xml version=\"1.0\"?>\n"),
         "error 5: the request's XML declaration names no encoding: requests are ASCII or windows-1252"},
        {"XML 1.1", one("<P/>", "<?xml version=\"1.1\" encoding=\"windows-1252\"?>\n"),
         "error 5: the request declares an XML version other than 1.0"},
        {"an unquoted declaration", one("<P/>", "<?xml version=1.0?>\n"),
         malformed},
        {"an unknown pseudo-attribute", one("<P/>", "<?xml version=\"1.0\" other=\"x\"?>\n"),
         malformed},
        {"an unterminated declaration", "<?xml version=\"1.0\" encoding=\"windows-1252\"",
         malformed},
        {"a comment", one("<!-- x --><P/>"),
         at + "2, column 3: a comment where a parameter element was expected"},
        {"a document type", "<!DOCTYPE x>" + one("<P/>"),
         at + "1, column 1: a document type where the root element was expected"},
        {"a processing instruction", one("<?pi x?>"),
         at + "2, column 3: a processing instruction where a parameter element was expected"},
        {"a CDATA section", one("<P><![CDATA[x]]></P>"),
         at + "2, column 6: a CDATA section where a parameter's value and end tag was expected"},
        {"a nested element", one("<P><Q/></P>"),
         at + "2, column 6: an element where a parameter's value and end tag was expected"},
        {"text in the root", root_open + "x" + root_close,
         at + "1, column 27: unexpected text where a parameter element was expected"},
        {"an attribute on a parameter", one("<P a=\"1\">x</P>"),
         at + "2, column 6: a parameter element with attributes or without \">\""},
        {"an attribute on the root", "<RequestElectrodeMaterial a=\"1\"/>",
         at + "1, column 27: a root element with attributes or without \">\""},
        {"another end tag", one("<P>x</Q>"),
         at + "2, column 9: an end tag that does not close the parameter element"},
        {"a longer end tag", one("<P>x</PQ>"),
         at + "2, column 9: an end tag that does not close the parameter element"},
        {"an end tag without >", root_open + "<P>x</P" + root_close,
         at + "1, column 34: an end tag without \">\""},
        {"the wrong root end tag", root_open + "</RequestSurfaceFinish>",
         at + "1, column 49: an end tag that does not close the root element"},
        {"no root end tag", root_open + "<P>x</P>",
         at + "1, column 35: the request ends where a parameter element was expected"},
        {"a value without end", root_open + "<P>x",
         at + "1, column 31: the request ends where a parameter's value and end tag was expected"},
        {"a second root", "<RequestElectrodeMaterial/><RequestElectrodeMaterial/>",
         at + "1, column 28: something after the root element"},
        {"text after the root", one("<P/>") + "x", at + "4, column 1: something after the root element"},
        {"an unknown entity", one("<P>&nbsp;</P>"),
         at + "2, column 6: an unknown entity reference: requests use only &lt; &gt; &amp; &quot; "
              "&apos; and character references"},
        {"a lone ampersand", one("<P>a & b</P>"), at + "2, column 8: " + no_reference},
        {"a reference one character too long", one("<P>&#000000000065;</P>"),
         at + "2, column 6: " + no_reference},
        {"an ampersand far from ;", one("<P>&abcdefghijklm;</P>"),
         at + "2, column 6: " + no_reference},
        {"U+0000", one("<P>&#0;</P>"),
         at + "2, column 6: a reference to the character U+0000, which a value handed over as a C "
              "string cannot hold"},
        {"a surrogate", one("<P>&#xD800;</P>"), no_character},
        {"past U+10FFFF", one("<P>&#1114112;</P>"), no_character},
        {"no digits", one("<P>&#x;</P>"), no_character},
        {"a letter among digits", one("<P>&#12a;</P>"), no_character},
        {"an upper-case X", one("<P>&#X41;</P>"), no_character},
        {"a huge number", one("<P>&#99999999999;</P>"), no_character},
    });
}

TEST(KitRequest, EveryCutShortRequestIsRefused)
{
    const std::string whole = one("<P>geh\xE4rtet &amp; &#233;</P>", cp1252_declaration);
    ASSERT_EQ(parsed(whole), "P=[geh\xC3\xA4rtet & \xC3\xA9]");
    // Up to the root's closing ">": what follows it is only blanks.
    for (size_t n = 0; n < whole.size() - 2; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(parsed(whole.substr(0, n)).rfind("error 5: ", 0), 0u);
    }
}

TEST(KitRequest, ReadsUpToItsSizeLimit)
{
    const std::string frame = one("<P></P>");
    const size_t limit = static_cast<size_t>(QP_MAX_REQUEST_BYTES);
    std::string largest = one("<P>" + std::string(limit - frame.size(), 'x') + "</P>");
    ASSERT_EQ(largest.size(), limit);
    EXPECT_EQ(parsed(largest).size(), limit - frame.size() + 4);
    largest.insert(largest.find("<P>") + 3, "x");
    EXPECT_EQ(parsed(largest), "error 5: the request is larger than 16777216 bytes");
}

TEST(KitRequest, AccessorsAnswerForAnyArgument)
{
    qp_request* request = nullptr;
    qp_error error;
    const std::string bytes = one("<P>v</P><N/><E></E>");
    ASSERT_EQ(qp_parse_request(bytes.data(), bytes.size(), QP_ELECTRODE_MATERIAL, &request, &error), QP_OK);
    EXPECT_EQ(error.code, QP_OK);
    EXPECT_STREQ(qp_value(request, "P"), "v");
    EXPECT_STREQ(qp_value(request, "N"), "");
    EXPECT_STREQ(qp_value(request, "E"), "");
    EXPECT_STREQ(qp_value(request, "Missing"), "");
    EXPECT_EQ(qp_value(request, nullptr), nullptr);
    EXPECT_EQ(qp_parameter_name(request, 3), nullptr);
    EXPECT_EQ(qp_parameter_value(request, 3), nullptr);
    EXPECT_EQ(qp_parameter_value(request, 1), nullptr);
    qp_free_request(request);

    EXPECT_EQ(qp_parameter_count(nullptr), 0u);
    EXPECT_EQ(qp_parameter_name(nullptr, 0), nullptr);
    EXPECT_EQ(qp_value(nullptr, "P"), nullptr);
    qp_free_request(nullptr);
    EXPECT_EQ(qp_parse_request(bytes.data(), bytes.size(), QP_ELECTRODE_MATERIAL, nullptr, &error),
              QP_ERROR_ARGUMENT);
    EXPECT_EQ(qp_parse_request(bytes.data(), bytes.size(), static_cast<qp_kind>(3), &request, nullptr),
              QP_ERROR_ARGUMENT);
    EXPECT_EQ(qp_parse_request(nullptr, 1, QP_ELECTRODE_MATERIAL, &request, nullptr), QP_ERROR_ARGUMENT);
    EXPECT_EQ(qp_parse_request(nullptr, 0, QP_ELECTRODE_MATERIAL, &request, nullptr), QP_ERROR_REQUEST);
    EXPECT_EQ(qp_read_request(nullptr, QP_ELECTRODE_MATERIAL, &request, nullptr), QP_ERROR_ARGUMENT);
}

TEST(KitRequest, AMessageCutShortStaysUtf8)
{
    // A path past the message's room: the cut falls at each offset of a
    // three-byte character in turn.
    for (const char* shift : {"", "x", "xx"}) {
        SCOPED_TRACE(shift);
        const std::string directory = std::string("/missing/") + shift + testsupport::repeat("\xE2\x82\xAC", 400);
        qp_request* request = nullptr;
        qp_error error;
        ASSERT_EQ(qp_read_request(directory.c_str(), QP_ELECTRODE_MATERIAL, &request, &error), QP_ERROR_READ);
        const std::string message = error.message;
        EXPECT_GE(message.size(), sizeof error.message - 3);
        EXPECT_EQ(message, ("cannot open the request " + directory).substr(0, message.size()));
        int failed = 0;
        apString(error.message, &failed);
        EXPECT_EQ(failed, 0);
    }
}

TEST(KitRequest, FileNamesOfEachKind)
{
    const struct {
        qp_kind kind;
        const char* program;
        const char* request;
        const char* answer;
    } cases[] = {
        {QP_ELECTRODE_MATERIAL, "ElectrodeMaterial.exe", "R_ElectrodeMat.xml", "A_ElectrodeMat.xml"},
        {QP_SURFACE_FINISH, "SurfaceFinish.exe", "R_SurfaceFinish.xml", "A_SurfaceFinish.xml"},
        {QP_OPTIMUM_UNDERSIZE, "OptimumUndersize.exe", "R_OptimumUndersize.xml", "A_OptimumUndersize.xml"},
    };
    for (const auto& c : cases) {
        EXPECT_STREQ(qp_program_name(c.kind), c.program);
        EXPECT_STREQ(qp_request_file_name(c.kind), c.request);
        EXPECT_STREQ(qp_answer_file_name(c.kind), c.answer);
    }
    EXPECT_EQ(qp_program_name(static_cast<qp_kind>(3)), nullptr);
    EXPECT_EQ(qp_request_file_name(static_cast<qp_kind>(-1)), nullptr);
    EXPECT_EQ(qp_answer_file_name(static_cast<qp_kind>(3)), nullptr);
}

TEST(KitRequest, ReadsTheRequestFileOfItsKind)
{
    testsupport::TempDir temp;
    const std::filesystem::path directory = temp.at("Stahl geh\xC3\xA4rtet \xE2\x82\xAC");
    std::filesystem::create_directory(directory);
    const std::string dir = directory.u8string();
    qp_request* request = nullptr;
    qp_error error;

    EXPECT_EQ(qp_read_request(dir.c_str(), QP_SURFACE_FINISH, &request, &error), QP_ERROR_READ);
    EXPECT_EQ(std::string(error.message).rfind("cannot open the request " + dir, 0), 0u) << error.message;

    testsupport::write_bytes(directory / "R_SurfaceFinish.xml",
                             cp1252_declaration + "<RequestSurfaceFinish><P>\xE4</P></RequestSurfaceFinish>");
    ASSERT_EQ(qp_read_request(dir.c_str(), QP_SURFACE_FINISH, &request, &error), QP_OK) << error.message;
    EXPECT_STREQ(qp_value(request, "P"), "\xC3\xA4");
    qp_free_request(request);

    // A file past the limit is refused after reading one byte too many.
    testsupport::write_bytes(directory / "R_SurfaceFinish.xml",
                             std::string(static_cast<size_t>(QP_MAX_REQUEST_BYTES) + 1, ' '));
    EXPECT_EQ(qp_read_request(dir.c_str(), QP_SURFACE_FINISH, &request, &error), QP_ERROR_REQUEST);
    EXPECT_STREQ(error.message, "the request is larger than 16777216 bytes");
}

} // namespace
