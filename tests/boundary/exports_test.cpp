// The library as a host sees it: loaded at run time, eight C functions
// under their undecorated names.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "requests/requestKindTable.h"
#include "support/dynlib.h"

namespace {

using testsupport::DynamicLibrary;

// A kind added to the table is asked through an export of its own.
#define QUERY(Class, query, request, root, program, names) #query,
const char* const kQueries[] = {QEL_REQUEST_KINDS(QUERY)};
#undef QUERY

class Exports : public ::testing::Test {
protected:
    DynamicLibrary library{testsupport::library_file()};
};

TEST_F(Exports, AllEightFunctionsByUndecoratedName)
{
    ASSERT_TRUE(library.loaded()) << testsupport::library_file();
    for (const char* name : {"api_version", "set_parameter_value", "delete_string", "hypot",
                             "electrode_materials", "surface_finishes", "optimum_undersizes",
                             "qel_installed"})
        EXPECT_NE(library.symbol(name), nullptr) << name;
    for (const char* name : kQueries)
        EXPECT_NE(library.symbol(name), nullptr) << name;
}

// The byte-string members that the exported request classes hand out are
// exported with them, under their decorated names.
TEST_F(Exports, utStringAccessorsByDecoratedName)
{
    ASSERT_TRUE(library.loaded()) << testsupport::library_file();
    for (const char* name : {"_ZNK8utString5c_strEv", "_ZNK8utString6lengthEv", "_ZNK8utString11unconst_strEv"})
        EXPECT_NE(library.symbol(name), nullptr) << name;
}

TEST_F(Exports, ApiVersionIsAFreshCopyEachTime)
{
    auto api_version = library.function<const char* (*)()>("api_version");
    auto delete_string = library.function<void (*)(void*)>("delete_string");
    ASSERT_TRUE(api_version && delete_string);
    const char* a = api_version();
    const char* b = api_version();
    EXPECT_STREQ(a, "1.0");
    EXPECT_STREQ(b, "1.0");
    EXPECT_NE(a, b);
    delete_string(const_cast<char*>(a));
    delete_string(const_cast<char*>(b));
    delete_string(nullptr);
}

TEST_F(Exports, HypotReachesTheRuntime)
{
    // On POSIX the export shares its name with the C library's function; a
    // call that bound back to itself would never return.
    auto hypot = library.function<double (*)(double, double)>("hypot");
    ASSERT_NE(hypot, nullptr);
    EXPECT_EQ(hypot(-5.0, 12.0), 13.0);
    // Neither overflow nor underflow on the way, and the runtime's answers
    // for infinities and NaNs.
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double x, y, expected;
    } cases[] = {
        {std::ldexp(3.0, 1000), std::ldexp(-4.0, 1000), std::ldexp(5.0, 1000)},
        {std::ldexp(3.0, -1070), std::ldexp(4.0, -1070), std::ldexp(5.0, -1070)},
        {-0.0, 0.0, 0.0},
        {inf, nan, inf},
        {nan, -inf, inf},
    };
    for (const auto& c : cases)
        EXPECT_EQ(hypot(c.x, c.y), c.expected) << c.x << ", " << c.y;
    EXPECT_TRUE(std::isnan(hypot(nan, 1.0)));
}

// Malformed UTF-8 in either text is status 2; a null status pointer is
// tolerated.
TEST_F(Exports, SetParameterValueReportsMalformedText)
{
    auto set = library.function<void (*)(const char*, const char*, int*)>("set_parameter_value");
    auto query = library.function<const char* (*)(const char*, int*)>("electrode_materials");
    ASSERT_TRUE(set && query);
    struct {
        const char* name;
        const char* value;
        int status;
    } cases[] = {
        {"MachineName", "Charmilles", 0}, {"MachineName", "", 0},   {"MachineName", nullptr, 0},
        {"\xC3", "x", 2},                 {"MachineName", "\xFF", 2}, {nullptr, "x", 0},
    };
    for (const auto& c : cases) {
        int status = -1;
        set(c.name, c.value, &status);
        EXPECT_EQ(status, c.status) << (c.name ? c.name : "(null)");
        set(c.name, c.value, nullptr);
    }
    EXPECT_EQ(query("\xC3", nullptr), nullptr);
}

} // namespace
