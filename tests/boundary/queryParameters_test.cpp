// What a query does to the process-wide parameters, seen from inside: the
// exported functions called in this process, the map read directly.
#include <gtest/gtest.h>

#include "boundary/qliParameterMap.h"
#include "qellink.h"
#include "support/testPrograms.h"

namespace {

TEST(QueryParameters, QueriesAddTheirArgumentsToACopyOnly)
{
    testsupport::ScratchDirectory exchange; // no programs: every query fails with 4
    qliParameterMap& parameters = process_parameters();
    parameters.add_parameter("ImportStudyPath", testsupport::library_text(exchange.path()));
    parameters.add_parameter("PartMaterial", "set by the host");
    const int size = parameters.size();

    int status = -1;
    EXPECT_EQ(electrode_materials("argument", &status), nullptr);
    EXPECT_EQ(status, 4);
    EXPECT_EQ(surface_finishes("argument", "argument", &status), nullptr);
    EXPECT_EQ(status, 4);
    EXPECT_EQ(optimum_undersizes("argument", "argument", 1, 2, 3, 4, &status), nullptr);
    EXPECT_EQ(status, 4);
    EXPECT_EQ(optimum_undersizes("argument", "\xC3", 1, 2, 3, 4, &status), nullptr);
    EXPECT_EQ(status, 2);

    EXPECT_EQ(parameters.size(), size);
    EXPECT_TRUE(parameters.parameter("PartMaterial").value() == apString("set by the host"));
    for (const char* added : {"ElectrodeMaterial", "MachiningDepth", "AttackFrontalSurface",
                              "SurfaceFinish", "TotalLengthOfElectrode"})
        EXPECT_TRUE(parameters.parameter(added).value().is_empty()) << added;
}

} // namespace
