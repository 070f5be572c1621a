#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "files/apFileBufIStream.h"
#include "files/apFileBufOStream.h"
#include "files/apIFileOperations.h"
#include "interfaceOperations.h"
#include "support/tempDir.h"

namespace fs = std::filesystem;
using testsupport::read_bytes;
using testsupport::write_bytes;

namespace {

class FileStreams : public ::testing::Test {
protected:
    FileStreams() : dir(tmp.text()) {}

    apPath at(const char* name) const { return dir.join(apString(name)); }
    std::FILE* open_read(const char* name, const std::string& bytes)
    {
        write_bytes(tmp.at(name), bytes);
        return ops.read_mode()->open(at(name));
    }

    testsupport::TempDir tmp;
    apPath dir;
    apIFileOperations& ops = *default_file_operations();
};

std::vector<int> read_all(std::istream& in)
{
    std::vector<int> values;
    for (int c = in.get(); c != EOF; c = in.get())
        values.push_back(c);
    return values;
}

struct ProbeBuf : apFileBuf {
    using apFileBuf::apFileBuf;
    using apFileBuf::overflow;
    using apFileBuf::underflow;
};

} // namespace

TEST_F(FileStreams, ReadsEveryByteThenStaysAtEof)
{
    const struct {
        std::string bytes;
        std::vector<int> values;
    } cases[] = {
        {"", {}},
        {"\xFF", {255}},
        {std::string("a\0\xFF\r\n\x1A", 6), {'a', 0, 255, '\r', '\n', 0x1A}},
    };
    for (const auto& c : cases) {
        std::FILE* f = open_read("in.bin", c.bytes);
        ASSERT_NE(f, nullptr);
        apFileBufIStream in(f);
        EXPECT_EQ(in.file(), f);
        EXPECT_EQ(read_all(in), c.values);
        EXPECT_TRUE(in.eof());
        in.clear();
        EXPECT_EQ(in.get(), EOF);
        EXPECT_EQ(in.rdbuf()->sgetc(), EOF);
    }
}

TEST_F(FileStreams, NoPositioningAndOnlyOneCharacterToPutBack)
{
    std::FILE* f = open_read("in.bin", "abcd");
    apFileBufIStream in(f);
    EXPECT_EQ(in.get(), 'a');
    EXPECT_EQ(in.get(), 'b');
    EXPECT_EQ(in.tellg(), std::streampos(-1));
    EXPECT_FALSE(in.seekg(0));
    EXPECT_EQ(std::ftell(f), 2);
    in.clear();
    EXPECT_TRUE(in.unget());
    EXPECT_FALSE(in.unget());
    in.clear();
    EXPECT_EQ(in.get(), 'b');
    EXPECT_EQ(in.get(), 'c');

    std::FILE* g = ops.write_mode()->open(at("out.bin"));
    apFileBufOStream out(g);
    out << "ab";
    EXPECT_FALSE(out.seekp(0, std::ios::beg));
    EXPECT_EQ(std::ftell(g), 2);
}

TEST_F(FileStreams, WritingEofWritesNothing)
{
    {
        ProbeBuf buf(ops.write_mode()->open(at("out.bin")));
        EXPECT_EQ(buf.overflow(EOF), EOF);
        EXPECT_EQ(buf.overflow(0xFF), 0xFF);
    }
    EXPECT_EQ(read_bytes(tmp.at("out.bin")), "\xFF");

    ProbeBuf none(nullptr);
    EXPECT_EQ(none.overflow('a'), EOF);
    EXPECT_EQ(none.underflow(), EOF);
}

TEST_F(FileStreams, InterfaceStreamsGoThroughTheFileBuffer)
{
    InterfaceOperations base;
    const apPath file(at("out.bin").string(), &base);
    std::unique_ptr<std::ostream> out;
    ASSERT_EQ(base.open_output(file, out).ok(), 1);
    ASSERT_NE(dynamic_cast<apFileBufOStream*>(out.get()), nullptr);
    *out << "xyz";
    out.reset();
    EXPECT_EQ(read_bytes(tmp.at("out.bin")), "xyz");

    std::unique_ptr<std::istream> in;
    ASSERT_EQ(base.open_input(file, in).ok(), 1);
    ASSERT_NE(dynamic_cast<apFileBufIStream*>(in.get()), nullptr);
    EXPECT_EQ(read_all(*in), (std::vector<int>{'x', 'y', 'z'}));

    // A file that cannot be opened leaves the held stream alone.
    std::istream* held = in.get();
    EXPECT_EQ(base.open_input(file.with_string(dir.string() + apString("/missing")), in).ok(), 0);
    EXPECT_EQ(in.get(), held);
    std::ostream* held_out = out.get();
    EXPECT_EQ(base.open_output(file.with_string(dir.string()), out).ok(), 0);
    EXPECT_EQ(out.get(), held_out);
}

TEST_F(FileStreams, PlatformStreams)
{
    write_bytes(tmp.at("out.bin"), "old content");
    std::unique_ptr<std::ostream> out;
    ASSERT_EQ(ops.open_output(at("out.bin"), out).ok(), 1);
    out->write("new\0\xFF\r\n", 7);
    out.reset();
    EXPECT_EQ(read_bytes(tmp.at("out.bin")), std::string("new\0\xFF\r\n", 7));

    // Two readers at once: nothing denies sharing.
    std::unique_ptr<std::istream> in;
    std::unique_ptr<std::istream> again;
    ASSERT_EQ(ops.open_input(at("out.bin"), in).ok(), 1);
    ASSERT_EQ(ops.open_input(at("out.bin"), again).ok(), 1);
    EXPECT_EQ(read_all(*in), (std::vector<int>{'n', 'e', 'w', 0, 255, '\r', '\n'}));
    EXPECT_EQ(again->get(), 'n');

    // A failed open still replaces the held stream, with a failed one.
    fs::create_directory(tmp.at("sub"));
    for (const char* name : {"missing", "sub"}) {
        std::istream* held = in.get();
        EXPECT_EQ(ops.open_input(at(name), in).ok(), 0) << name;
        ASSERT_NE(in.get(), nullptr);
        EXPECT_NE(in.get(), held);
        EXPECT_FALSE(in->good());
    }
    EXPECT_EQ(ops.open_output(at("missing/out.bin"), out).ok(), 0);
    ASSERT_NE(out.get(), nullptr);
    EXPECT_FALSE(out->good());
}
