// The kit's kinds against the library's kind table: the kit is copied by
// vendors and includes nothing of the library, so its own list of kinds is
// held to the table here, row by row and in the table's order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "qelprogram.h"
#include "support/kindRows.h"

namespace {

using Row = testsupport::KindRow;
const std::vector<Row>& kRows = testsupport::kind_rows();

// The names of the parameters the kit read from `bytes` as a request of
// `kind`, joined by ";", or "error: <message>".
std::string parameters_read(const std::string& bytes, qp_kind kind)
{
    qp_request* request = nullptr;
    qp_error error;
    if (qp_parse_request(bytes.data(), bytes.size(), kind, &request, &error) != QP_OK)
        return std::string("error: ") + error.message;
    std::string names;
    for (size_t k = 0; k < qp_parameter_count(request); ++k)
        names += (k ? ";" : "") + std::string(qp_parameter_name(request, k));
    qp_free_request(request);
    return names;
}

TEST(KitKinds, AreTheRowsOfTheKindTableInItsOrder)
{
    for (size_t i = 0; i < kRows.size(); ++i) {
        const Row& row = kRows[i];
        const qp_kind kind = static_cast<qp_kind>(i);
        SCOPED_TRACE(row.program);
        ASSERT_NE(qp_program_name(kind), nullptr) << "the kit has no kind " << i;
        EXPECT_EQ(qp_program_name(kind), row.program);
        EXPECT_EQ(qp_request_file_name(kind), "R_" + row.request + ".xml");
        EXPECT_EQ(qp_answer_file_name(kind), "A_" + row.request + ".xml");

        // The kit reads a request of the row's root, parameters in file order.
        std::string bytes = "<" + row.root + ">\n";
        std::string names;
        for (const std::string& name : row.parameters) {
            bytes += "  <" + name + "></" + name + ">\n";
            names += (names.empty() ? "" : ";") + name;
        }
        bytes += "</" + row.root + ">\n";
        EXPECT_EQ(parameters_read(bytes, kind), names);
    }
    // No kind of the kit's beyond the table's.
    EXPECT_EQ(qp_program_name(static_cast<qp_kind>(kRows.size())), nullptr);
}

} // namespace
