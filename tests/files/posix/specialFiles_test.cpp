// Named pipes and devices are opened by no file operation: reading one could
// wait for a writer or never end. They fail at once, as a directory does.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "files/apIFileOperations.h"
#include "support/processResources.h"
#include "support/tempDir.h"

namespace {

namespace fs = std::filesystem;

TEST(SpecialFiles, AreNotOpened)
{
    testsupport::TempDir tmp;
    ASSERT_EQ(::mkfifo(tmp.at("fifo").c_str(), 0666), 0);
    fs::create_symlink("/dev/zero", tmp.at("zero"));
    fs::create_symlink("fifo", tmp.at("fifo-link"));
    apIFileOperations& ops = *default_file_operations();
    const long files = testsupport::process_resources().open_files;
    for (const char* name : {"fifo", "zero", "fifo-link"}) {
        SCOPED_TRACE(name);
        const apPath p = apPath(tmp.text()).join(name);
        // Only asked for its type: not a directory.
        EXPECT_EQ(ops.kind(p), 0);
        EXPECT_EQ(ops.read_mode()->open(p), nullptr);
        EXPECT_EQ(ops.write_mode()->open(p), nullptr);
        EXPECT_EQ(ops.file_size(p), 0);
        apByteBuffer data;
        EXPECT_EQ(ops.read_file(p, data).ok(), 0);
        EXPECT_EQ(ops.write_file(p, apByteBuffer("x", 1)).ok(), 0);
        std::unique_ptr<std::istream> in;
        EXPECT_EQ(ops.open_input(p, in).ok(), 0);
    }
    EXPECT_EQ(testsupport::process_resources().open_files, files);
    EXPECT_TRUE(fs::is_fifo(tmp.at("fifo")));
}

} // namespace
