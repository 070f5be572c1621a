#include <gtest/gtest.h>

#include <utility>

#include "core/apIStringEncoding.h"
#include "files/apIFileOperations.h"
#include "files/apPath.h"
#include "interfaceOperations.h"
#include "support/tempDir.h"

using testsupport::to_utf8;

namespace {

using Case = std::pair<const char*, const char*>;

// Answers file-type queries from a script and counts removals.
class ScriptedOperations : public InterfaceOperations {
public:
    int kind_answer = 2;
    int remove_answer = 1;
    int remove_calls = 0;

    int kind(const apPath&) override { return kind_answer; }
    int remove_file(const apPath&) override { return ++remove_calls, remove_answer; }
};

// UTF-8 both ways, counting conversions; can be told to fail.
class CountingEncoding : public apIStringEncoding {
public:
    mutable int encodes = 0;
    bool fail = false;

    apString decode(const char* text, int* error) const override { return apString(text, error); }
    utString encode(const apString& text, int* error) const override
    {
        ++encodes;
        *error = fail ? 1 : 0;
        return utString(fail ? "no 8-bit form" : text.utf8_str());
    }
};

} // namespace

TEST(apPath, NormalizesSeparatorsOutsideTheRoot)
{
    const Case cases[] = {
        {"", "."}, {"C:/data/", "C:/data"}, {"//server/share/", "//server/share"},
        {"a//b///c/", "a/b/c"}, {"a\\b//c\\", "a/b/c"}, {"\\\\srv\\share", "//srv/share"},
        {"/", "/"}, {"//", "//"}, {"///", "//"}, {"C:/", "C:/"}, {"C:\\", "C:/"}, {"C:", "C:"},
        {"C:name/", "C:name"}, {"./x", "./x"}, {"a/./../B", "a/./../B"},
        // The root prefix is kept whole; only the rest is collapsed.
        {"///a//b", "///a/b"}, {"C://x", "C://x"},
        {"\xC3\xA4\\\xE6\x97\xA5//", "\xC3\xA4/\xE6\x97\xA5"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(to_utf8(apPath::normalize(apString(c.first))), c.second) << c.first;
        EXPECT_EQ(to_utf8(apPath(apString(c.first)).string()), c.second) << c.first;
    }
    EXPECT_EQ(to_utf8(apPath::normalize(apString())), ".");
}

TEST(apPath, RootPrefixes)
{
    const struct {
        const char* text;
        int root, is_root;
    } cases[] = {
        {"", 0, 1},     {".", 0, 0},    {"a/b", 0, 0},   {"/", 1, 1},   {"/a", 1, 0},
        {"//", 2, 1},   {"//srv", 2, 0}, {"C:/", 3, 1},  {"C:/x", 3, 0}, {"C:", 0, 0},
        {"C:x", 0, 0},  {"/:/", 3, 1},  {":/x", 0, 0},
    };
    for (const auto& c : cases) {
        const apPath p(apPath::keep_text, apString(c.text));
        EXPECT_EQ(p.root_length(), c.root) << c.text;
        EXPECT_EQ(p.is_relative(), c.root == 0 ? 1 : 0) << c.text;
        EXPECT_EQ(p.is_root(), c.is_root) << c.text;
    }
}

TEST(apPath, Parent)
{
    const Case cases[] = {
        {"a/b/c", "a/b"}, {"/a", "/"}, {"/", "/"}, {"C:/a", "C:/"}, {"C:/", "C:/"},
        {"\\\\srv\\share", "//srv"}, {"//srv", "//"}, {"//", "//"}, {"name", "."},
        {".", "."}, {"./x", "."}, {"../x", ".."}, {"x/..", "x"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(to_utf8(apPath(apString(c.first)).parent()), c.second) << c.first;
}

TEST(apPath, JoinsAnyKindOfName)
{
    const struct {
        const char *dir, *name, *joined;
    } cases[] = {
        {"D:/exchange/", "R_job.xml", "D:/exchange/R_job.xml"},
        {"D:\\exchange\\", "R_job.xml", "D:/exchange/R_job.xml"},
        {"D:/exchange", "R_job.xml", "D:/exchange/R_job.xml"},
        {"", "x", "./x"}, {".", "x", "./x"}, {"a", "", "a"}, {"/", "x", "/x"},
        {"//", "srv", "//srv"}, {"C:/", "x", "C:/x"}, {"a", "b\\c//d/", "a/b/c/d"},
        {"a", "../b", "a/../b"},
    };
    for (const auto& c : cases) {
        const apPath dir{apString(c.dir)};
        EXPECT_EQ(to_utf8(dir.join(apString(c.name)).string()), c.joined) << c.dir << " " << c.name;
        EXPECT_EQ(to_utf8(dir.join(apFileName(apString(c.name))).string()), c.joined) << c.dir;
        EXPECT_EQ(to_utf8(dir.join(utString(c.name)).string()), c.joined) << c.dir;
    }
}

TEST(apPath, DerivedPathsKeepTheServices)
{
    ScriptedOperations ops;
    CountingEncoding enc;
    const apPath dir(apString("d"), &ops, &enc);
    for (const apPath& p : {dir.join(apString("a")), dir.join(apFileName(apString("a"))),
                            dir.join(utString("a")), dir.with_string(apString("x"))}) {
        EXPECT_EQ(p.operations(), &ops);
        EXPECT_EQ(p.encoding(), &enc);
    }
}

TEST(apPath, NullAndEmptyTexts)
{
    const apPath null_path;
    EXPECT_EQ(null_path.is_null(), 1);
    EXPECT_EQ(null_path.narrow_failed(), 1);
    EXPECT_EQ(null_path.operations(), default_file_operations());
    EXPECT_EQ(null_path.encoding(), default_string_encoding());

    // Both become ".", which the operations call a directory unasked.
    for (const apString& text : {apString(), apString::empty_string()}) {
        const apPath p(text);
        EXPECT_EQ(to_utf8(p.string()), ".");
        EXPECT_EQ(p.is_file(), 0);
        EXPECT_EQ(p.is_directory(), 1);
    }

    const apPath kept(apPath::keep_text, apString("a//b\\"));
    EXPECT_EQ(to_utf8(kept.string()), "a//b\\");
    EXPECT_STREQ(kept.narrow().c_str(), "a//b\\");
}

TEST(apPath, EightBitFormIsMadeOnceAndShared)
{
    CountingEncoding enc;
    const apPath p(apString("dir\\\xC3\xA4.txt"), nullptr, &enc);
    EXPECT_EQ(p.narrow_failed(), 0);
    EXPECT_STREQ(p.narrow().c_str(), "dir/\xC3\xA4.txt");
    apPath assigned;
    assigned = p;
    EXPECT_EQ(apPath(p).narrow().c_str(), p.narrow().c_str());
    EXPECT_EQ(assigned.narrow().c_str(), p.narrow().c_str());
    EXPECT_EQ(enc.encodes, 1);

    enc.fail = true;
    const apPath failed(apString("x"), nullptr, &enc);
    EXPECT_EQ(to_utf8(failed.string()), "x");
    EXPECT_EQ(failed.narrow_failed(), 1);
    EXPECT_STREQ(failed.narrow().c_str(), "no 8-bit form");
}

TEST(apPath, FileTypeQueriesAskTheOperations)
{
    ScriptedOperations ops;
    const apPath p(apString("f"), &ops);
    const struct {
        int kind, is_file, is_directory, exists;
    } cases[] = {{0, 1, 0, 1}, {1, 0, 1, 1}, {2, 0, 0, 0}};
    for (const auto& c : cases) {
        ops.kind_answer = c.kind;
        EXPECT_EQ(p.is_file(), c.is_file) << c.kind;
        EXPECT_EQ(p.is_directory(), c.is_directory) << c.kind;
        EXPECT_EQ(p.exists(), c.exists) << c.kind;
        // Only a file is handed to remove_file; anything else answers 1.
        for (int answer : {0, 1}) {
            ops.remove_answer = answer;
            EXPECT_EQ(p.remove(), c.kind == 0 ? answer : 1) << c.kind;
        }
    }
    EXPECT_EQ(ops.remove_calls, 2);
}
