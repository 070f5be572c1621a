// The kind table and the request classes declared from it. The literal
// bytes of each kind's request file are pinned through the exports
// (tests/boundary/queries_test.cpp); here every row, a new one included, is
// checked for what would break a kind: clashing file or program names,
// names that cannot be XML elements or file names, a class bound to the
// wrong column.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "boundary/qliParameterMap.h"
#include "files/apPath.h"
#include "kindRowsC.h"
#include "requests/qliRequestKinds.h"
#include "requests/requestKindTable.h"
#include "support/kindRows.h"
#include "support/tempDir.h"
#include "support/testPrograms.h"

namespace {

namespace fs = std::filesystem;
using testsupport::library_text;
using testsupport::read_bytes;
using testsupport::text_mode_line_end;
using testsupport::ScratchDirectory;
using testsupport::write_bytes;

using Row = testsupport::KindRow;
const std::vector<Row>& kRows = testsupport::kind_rows();

// An XML element name and a file name on every platform: an ASCII letter,
// then ASCII letters and digits.
bool plain_word(const std::string& s)
{
    auto alnum = [](unsigned char c) { return c < 0x80 && std::isalnum(c); };
    return !s.empty() && alnum(s[0]) && !std::isdigit(static_cast<unsigned char>(s[0])) &&
           std::all_of(s.begin(), s.end(), alnum);
}

// Windows file names ignore case: two names that differ only in case are
// one file there.
std::string folded(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

TEST(RequestKindTable, RowsNameDistinctFilesInPlainWords)
{
    std::set<std::string> queries, requests, roots, programs;
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.query);
        EXPECT_TRUE(queries.insert(row.query).second);
        EXPECT_TRUE(requests.insert(folded(row.request)).second) << row.request;
        EXPECT_TRUE(roots.insert(row.root).second) << row.root;
        EXPECT_TRUE(programs.insert(folded(row.program)).second) << row.program;

        EXPECT_TRUE(plain_word(row.request)) << row.request;
        EXPECT_TRUE(plain_word(row.root)) << row.root;
        const std::string exe = ".exe";
        ASSERT_GT(row.program.size(), exe.size()) << row.program;
        EXPECT_EQ(row.program.substr(row.program.size() - exe.size()), exe);
        EXPECT_TRUE(plain_word(row.program.substr(0, row.program.size() - exe.size())))
            << row.program;

        // A program that reads its request learns the exchange directory first.
        ASSERT_FALSE(row.parameters.empty());
        EXPECT_EQ(row.parameters.front(), "ImportStudyPath");
        std::set<std::string> names;
        for (const std::string& name : row.parameters) {
            EXPECT_TRUE(plain_word(name)) << name;
            EXPECT_TRUE(names.insert(name).second) << name << " twice";
        }
    }
}

TEST(RequestKindTable, ReadsTheSameInC)
{
    ASSERT_EQ(kind_row_count_c, static_cast<int>(kRows.size()));
    for (int i = 0; i < kind_row_count_c; ++i) {
        const kind_row_c& c = kind_rows_c[i];
        const Row& row = kRows[static_cast<size_t>(i)];
        SCOPED_TRACE(row.query);
        EXPECT_EQ(c.query, row.query);
        EXPECT_EQ(c.request, row.request);
        EXPECT_EQ(c.root, row.root);
        EXPECT_EQ(c.program, row.program);
        EXPECT_EQ(c.first_parameter, row.parameters.front());
        EXPECT_EQ(c.parameter_count, static_cast<int>(row.parameters.size()));
    }
}

// Runs one request of kind `Kind` with every parameter of its row set, by a
// stand-in program under the row's program name that keeps the request it
// saw and answers one value.
template <class Kind>
void check_kind(const Row& row)
{
    SCOPED_TRACE(row.query);
    ScratchDirectory exchange;
    exchange.add_program("answers_from_file", row.program);
    write_bytes(exchange.path() / "answer.xml", "<A><Type><V>answered</V></Type></A>");

    const apString study = library_text(exchange.path());
    qliParameterMap parameters;
    parameters.add_parameter("ImportStudyPath", study);
    for (size_t i = 1; i < row.parameters.size(); ++i)
        parameters.add_parameter(row.parameters[i].c_str(), ("v" + std::to_string(i)).c_str());
    parameters.add_parameter("NotInAnyRow", "left out");

    std::unique_ptr<qliRequest> request(new Kind(parameters));
    std::unique_ptr<qliRequestResult> result = request->make_request(apPath(study));
    EXPECT_EQ(result->result_type(), ok);
    itIterator<apString> values = result->returned_values();
    ASSERT_TRUE(++values);
    EXPECT_STREQ(values().utf8_str(), "answered");
    EXPECT_EQ(Kind::executable_name(), apString(row.program.c_str()));

    const std::string end = text_mode_line_end();
    std::string expected = "<" + row.root + ">" + end;
    for (size_t i = 0; i < row.parameters.size(); ++i) {
        const std::string& name = row.parameters[i];
        const std::string value =
            i == 0 ? exchange.path().generic_u8string() : "v" + std::to_string(i);
        expected += "  <" + name + ">" + value + "</" + name + ">" + end;
    }
    expected += "</" + row.root + ">" + end;
    EXPECT_EQ(read_bytes(exchange.path() / ("seen_R_" + row.request + ".xml")), expected);
    EXPECT_TRUE(fs::is_regular_file(exchange.path() / ("A_" + row.request + ".xml")));
}

TEST(RequestKinds, EachWritesItsRowAndStartsItsProgram)
{
    size_t i = 0;
#define ROW(Class, query, request, root, program, names) check_kind<Class>(kRows[i++]);
    QEL_REQUEST_KINDS(ROW)
#undef ROW
    EXPECT_EQ(i, kRows.size());
}

} // namespace
