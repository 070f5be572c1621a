// The library's exports called as a host calls them, with the library
// loaded at run time: what the end-to-end, long-run and soak tests share.
#ifndef QEL_TESTS_SUPPORT_QUERYHOST_H
#define QEL_TESTS_SUPPORT_QUERYHOST_H

#include <filesystem>
#include <initializer_list>
#include <string>

#include <gtest/gtest.h>

#include "support/dynlib.h"
#include "support/testPrograms.h"

namespace querytest {

namespace fs = std::filesystem;

struct Reply {
    int status;
    bool is_null;
    std::string text;
};

// The reply as one string for tables of cases: "<status>:<text>", the text
// "<null>" for a null result.
inline std::string said(const Reply& r)
{
    return std::to_string(r.status) + ":" + (r.is_null ? "<null>" : r.text);
}

// A table of questions, asked in its order: what each asks, its reply, and
// the reply expected as said() spells it.
struct Asked {
    const char* question;
    Reply reply;
    std::string expected;
};

inline void expect_replies(std::initializer_list<Asked> cases)
{
    for (const Asked& c : cases) {
        SCOPED_TRACE(c.question);
        EXPECT_EQ(said(c.reply), c.expected);
    }
}

// The library's exports, called as a host calls them.
class Host {
public:
    bool ready() const { return library_.loaded() && set_ && delete_ && installed_; }

    int set(const char* name, const char* value)
    {
        int status = -1;
        set_(name, value, &status);
        return status;
    }
    void set_study(const fs::path& directory)
    {
        ASSERT_EQ(set("ImportStudyPath", directory.generic_u8string().c_str()), 0);
    }

    Reply electrode_materials(const char* part)
    {
        return ask<const char* (*)(const char*, int*)>("electrode_materials", part);
    }
    Reply surface_finishes(const char* part, const char* electrode)
    {
        return ask<const char* (*)(const char*, const char*, int*)>("surface_finishes", part,
                                                                     electrode);
    }
    Reply optimum_undersizes(const char* part, const char* electrode, double depth, double attack,
                             double finish, double length)
    {
        return ask<const char* (*)(const char*, const char*, double, double, double, double, int*)>(
            "optimum_undersizes", part, electrode, depth, attack, finish, length);
    }
    bool installed() { return installed_(); }

    // Query number i of a run that asks the three questions in turn, with
    // arguments the reference programs answer.
    Reply ask_in_turn(long i)
    {
        switch (i % 3) {
        case 0: return electrode_materials("1.2379");
        case 1: return surface_finishes("1.2379", "Copper");
        default: return optimum_undersizes("1.2379", "Copper", 12.5, 50, 18, 120);
        }
    }

private:
    template <class F, class... Args>
    Reply ask(const char* export_name, Args... args)
    {
        int status = -1;
        const char* text = library_.function<F>(export_name)(args..., &status);
        Reply reply{status, text == nullptr, text ? text : ""};
        delete_(const_cast<char*>(text));
        return reply;
    }

    testsupport::DynamicLibrary library_{testsupport::library_file()};
    void (*set_)(const char*, const char*, int*) =
        library_.function<void (*)(const char*, const char*, int*)>("set_parameter_value");
    void (*delete_)(void*) = library_.function<void (*)(void*)>("delete_string");
    bool (*installed_)() = library_.function<bool (*)()>("qel_installed");
};

} // namespace querytest

#endif
