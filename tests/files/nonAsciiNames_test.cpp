#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "files/apIFileOperations.h"
#include "support/scopedLocale.h"
#include "support/tempDir.h"

namespace fs = std::filesystem;
using testsupport::read_bytes;
using testsupport::to_utf8;

namespace {

const char* const kNames[] = {
    "Gr\xC3\xBC\xC3\x9F" "e",           // Latin-1 range
    "\xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1", // Greek
    "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E",     // CJK
    "\xF0\x9F\x98\x80 smile",                   // beyond the BMP: a surrogate pair in UTF-16
};

bool listed(apIFileOperations& ops, const apPath& dir, const apString& name)
{
    std::shared_ptr<apIFileIterator> it = ops.list_directory(dir);
    while (it->next())
        if (it->entry().string() == name)
            return true;
    return false;
}

} // namespace

// The names reach the system as UTF-16 on Windows and as UTF-8 bytes on
// POSIX, whatever the C runtime's locale: the classic one, which has no
// 8-bit form for most of them, or a UTF-8 one (where the runtime has it).
class NonAsciiNames : public testsupport::InEachLocale {};

TEST_P(NonAsciiNames, ReachTheFileSystemUnchanged)
{
    testsupport::TempDir tmp;
    apIFileOperations& ops = *default_file_operations();
    const apPath dir(tmp.text());

    for (const char* name : kNames) {
        SCOPED_TRACE(name);
        const apString text(name);
        const apPath sub = dir.join(text);
        ASSERT_EQ(ops.make_directory(sub), 1);
        EXPECT_TRUE(fs::is_directory(tmp.at(name)));
        EXPECT_EQ(sub.is_directory(), 1);
        EXPECT_TRUE(listed(ops, dir, text));

        const apPath file = sub.join(text + apString(".txt"));
        const std::string bytes(name);
        ASSERT_EQ(ops.write_file(file, apByteBuffer(bytes.data(), bytes.size())).ok(), 1);
        EXPECT_EQ(read_bytes(tmp.at(std::string(name) + "/" + name + ".txt")), bytes);
        EXPECT_EQ(ops.file_size(file), static_cast<std::int64_t>(bytes.size()));

        std::unique_ptr<std::istream> in;
        ASSERT_EQ(ops.open_input(file, in).ok(), 1);
        EXPECT_EQ(in->get(), static_cast<unsigned char>(name[0]));
        in.reset();

        const apPath moved = dir.join(text + apString("-moved"));
        EXPECT_EQ(ops.move_file(file, moved).ok(), 1);
        EXPECT_EQ(moved.is_file(), 1);
        EXPECT_EQ(to_utf8(ops.absolute(moved)), to_utf8(moved.string()));
        EXPECT_EQ(moved.remove(), 1);
        EXPECT_EQ(ops.remove_directory(sub), 1);
        EXPECT_FALSE(fs::exists(tmp.at(name)));
    }
    EXPECT_TRUE(fs::is_empty(tmp.root()));
}

QEL_IN_EACH_LOCALE(NonAsciiNames);

// The 8-bit form stays the C runtime's, for the callers that ask for it.
TEST(NonAsciiPath, EightBitFormFollowsTheLocale)
{
    testsupport::ScopedLocale locale({"C"});
    ASSERT_TRUE(locale.active());
    const apPath greek{apString(kNames[1])};
    EXPECT_EQ(greek.narrow_failed(), 1);
    EXPECT_NE(greek.narrow().c_str(), nullptr);
    const apPath latin{apString("Gr\xC3\xBC\xC3\x9F" "e")};
    EXPECT_EQ(latin.narrow_failed(), 0);
    EXPECT_EQ(std::string(latin.narrow().c_str()), "Gr\xFC\xDF" "e");
}
