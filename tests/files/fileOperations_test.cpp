#include <gtest/gtest.h>

#include <algorithm>
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
using testsupport::to_utf8;
using testsupport::write_bytes;

namespace {

class FileOperations : public ::testing::Test {
protected:
    FileOperations() : dir(tmp.text())
    {
        write_bytes(tmp.at("file.txt"), "12345");
        fs::create_directory(tmp.at("sub"));
        write_bytes(tmp.at("sub/inner.txt"), "inner");
        fs::create_directory(tmp.at("empty"));
    }

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

std::vector<std::string> list_all(apIFileIterator& it)
{
    std::vector<std::string> names;
    while (it.next())
        names.push_back(to_utf8(it.entry().string()));
    std::sort(names.begin(), names.end());
    return names;
}

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

// The streams over the platform's files, in the same scratch directory.
using FileStreams = FileOperations;

} // namespace

TEST_F(FileOperations, Kind)
{
    const struct {
        const char* name;
        int kind;
    } cases[] = {
        {"file.txt", 0},    {"sub", 1},          {"empty", 1},        {"missing", 2},
        {"missing/x", 2},   {"file.txt/x", 2},   {"sub/inner.txt", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ops.kind(at(c.name)), c.kind) << c.name;
    EXPECT_EQ(ops.kind(dir), 1);
    EXPECT_EQ(ops.kind(apPath(apString("."))), 1);
    EXPECT_EQ(ops.kind(apPath()), 2);
    EXPECT_EQ(ops.is_file(apPath()), 0);
    EXPECT_EQ(ops.is_directory(apPath()), 0);
}

TEST_F(FileOperations, RemoveFileRemovesReadOnlyFilesButNeverDirectories)
{
    fs::permissions(tmp.at("file.txt"), fs::perms::owner_read | fs::perms::group_read |
                                            fs::perms::others_read);
    EXPECT_EQ(ops.remove_file(at("file.txt")), 1);
    EXPECT_FALSE(fs::exists(tmp.at("file.txt")));
    EXPECT_EQ(ops.remove_file(at("file.txt")), 0);

    const fs::perms before = fs::status(tmp.at("empty")).permissions();
    EXPECT_EQ(ops.remove_file(at("empty")), 0);
    EXPECT_TRUE(fs::is_directory(tmp.at("empty")));
    EXPECT_EQ(fs::status(tmp.at("empty")).permissions(), before);

    // apPath::remove leaves everything but files alone and says so with 1.
    EXPECT_EQ(at("sub").remove(), 1);
    EXPECT_EQ(at("missing").remove(), 1);
    EXPECT_EQ(read_bytes(tmp.at("sub/inner.txt")), "inner");
    EXPECT_EQ(at("sub/inner.txt").remove(), 1);
    EXPECT_FALSE(fs::exists(tmp.at("sub/inner.txt")));
}

TEST_F(FileOperations, DirectoriesAreMadeOneLevelAndRemovedOnlyWhenEmpty)
{
    EXPECT_EQ(ops.make_directory(at("new")), 1);
    EXPECT_TRUE(fs::is_directory(tmp.at("new")));
    for (const char* taken : {"new", "file.txt", "missing/new"})
        EXPECT_EQ(ops.make_directory(at(taken)), 0) << taken;
    EXPECT_FALSE(fs::exists(tmp.at("missing")));

    for (const char* refused : {"file.txt", "sub", "missing"})
        EXPECT_EQ(ops.remove_directory(at(refused)), 0) << refused;
    EXPECT_EQ(read_bytes(tmp.at("file.txt")), "12345");
    EXPECT_EQ(read_bytes(tmp.at("sub/inner.txt")), "inner");
    EXPECT_EQ(ops.remove_directory(at("empty")), 1);
    EXPECT_FALSE(fs::exists(tmp.at("empty")));
}

TEST_F(FileOperations, ListingYieldsEveryEntryAndOnlyForDirectories)
{
    std::shared_ptr<apIFileIterator> it = ops.list_directory(at("sub/.."));
    EXPECT_EQ(to_utf8(it->dir().string()), to_utf8(dir.string()) + "/sub/..");
    EXPECT_EQ(it->failed(), 0);
    EXPECT_EQ(it->idle(), 1);
    EXPECT_TRUE(it->entry().is_null());

    const std::vector<std::string> expected = {".", "..", "empty", "file.txt", "sub"};
    ASSERT_EQ(it->next(), 1);
    EXPECT_EQ(it->idle(), 0);
    std::vector<std::string> first = list_all(*it);
    EXPECT_EQ(it->idle(), 1);
    EXPECT_EQ(first.size(), expected.size() - 1);
    EXPECT_EQ(list_all(*it), expected);

    for (const char* name : {"file.txt", "missing"}) {
        it = ops.list_directory(at(name));
        EXPECT_EQ(it->failed(), 1) << name;
        EXPECT_EQ(it->next(), 0) << name;
        EXPECT_EQ(it->idle(), 1) << name;
    }
}

TEST_F(FileOperations, WholeFileWriteAndRead)
{
    const std::string bytes("\0\xFF\r\n\x1A" "end", 8);
    EXPECT_EQ(ops.write_file(at("file.txt"), apByteBuffer(bytes.data(), bytes.size())).ok(), 1);
    EXPECT_EQ(read_bytes(tmp.at("file.txt")), bytes);
    EXPECT_EQ(ops.file_size(at("file.txt")), 8);

    apByteBuffer data;
    ASSERT_EQ(ops.read_file(at("file.txt"), data).ok(), 1);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(data.data()), data.length()), bytes);

    // An empty buffer truncates; an empty file reads as an empty buffer.
    EXPECT_EQ(ops.write_file(at("file.txt"), apByteBuffer()).ok(), 1);
    EXPECT_EQ(ops.file_size(at("file.txt")), 0);
    ASSERT_EQ(ops.read_file(at("file.txt"), data).ok(), 1);
    EXPECT_TRUE(data.is_empty());
}

TEST_F(FileOperations, WholeFileFailures)
{
    const apByteBuffer kept("kept", 4);
    for (const char* name : {"missing", "sub"}) {
        apByteBuffer data(kept);
        EXPECT_EQ(ops.read_file(at(name), data).ok(), 0) << name;
        EXPECT_EQ(data.data(), kept.data()) << name;
        EXPECT_EQ(ops.file_size(at(name)), 0) << name;
    }
    for (const char* name : {"missing/new.txt", "sub"})
        EXPECT_EQ(ops.write_file(at(name), kept).ok(), 0) << name;
    EXPECT_FALSE(fs::exists(tmp.at("missing")));
}

TEST_F(FileOperations, MoveFileNeverReplacesItsTarget)
{
    write_bytes(tmp.at("target.txt"), "target");
    EXPECT_EQ(ops.move_file(at("file.txt"), at("target.txt")).ok(), 0);
    EXPECT_EQ(read_bytes(tmp.at("file.txt")), "12345");
    EXPECT_EQ(read_bytes(tmp.at("target.txt")), "target");

    EXPECT_EQ(ops.move_file(at("empty"), at("moved")).ok(), 0);
    EXPECT_EQ(ops.move_file(at("missing"), at("moved")).ok(), 0);
    EXPECT_FALSE(fs::exists(tmp.at("moved")));

    EXPECT_EQ(ops.move_file(at("file.txt"), at("sub/moved.txt")).ok(), 1);
    EXPECT_FALSE(fs::exists(tmp.at("file.txt")));
    EXPECT_EQ(read_bytes(tmp.at("sub/moved.txt")), "12345");
}

TEST_F(FileOperations, RenamesStayInTheParentDirectory)
{
    const apFileName renamed(apString("renamed"));
    EXPECT_EQ(ops.rename_directory(at("file.txt"), renamed).ok(), 0);
    EXPECT_EQ(ops.rename_directory(at("sub"), apFileName(apString("empty"))).ok(), 0);
    EXPECT_EQ(ops.rename_directory(at("sub"), renamed).ok(), 1);
    EXPECT_EQ(read_bytes(tmp.at("renamed/inner.txt")), "inner");

    // rename_entry takes files and directories alike, and still never
    // replaces what is there.
    write_bytes(tmp.at("taken.txt"), "taken");
    EXPECT_EQ(ops.rename_entry(at("file.txt"), apFileName(apString("taken.txt"))).ok(), 0);
    EXPECT_EQ(read_bytes(tmp.at("taken.txt")), "taken");
    EXPECT_EQ(ops.rename_entry(at("empty"), apFileName(apString("renamed"))).ok(), 0);
    EXPECT_EQ(ops.rename_entry(at("file.txt"), apFileName(apString("f2"))).ok(), 1);
    EXPECT_EQ(ops.rename_entry(at("empty"), apFileName(apString("e2"))).ok(), 1);
    EXPECT_EQ(read_bytes(tmp.at("f2")), "12345");
    EXPECT_TRUE(fs::is_directory(tmp.at("e2")));
}

TEST_F(FileOperations, AbsoluteResolvesAgainstTheCurrentDirectory)
{
    const apString cwd = apPath::normalize(testsupport::to_text(fs::current_path()));
    const apString full = ops.absolute(apPath(apString("rel\\..//x/./y/")));
    EXPECT_EQ(to_utf8(full), to_utf8(cwd) + "/x/y");
    EXPECT_EQ(apPath(apPath::keep_text, full).is_relative(), 0);
    EXPECT_EQ(to_utf8(ops.absolute(apPath(apString(".")))), to_utf8(cwd));
    EXPECT_EQ(to_utf8(ops.absolute(at("sub/../file.txt"))), to_utf8(dir.string()) + "/file.txt");

    // Failures answer null; the result must fit in 260 UTF-16 units.
    EXPECT_TRUE(ops.absolute(apPath()).is_null());
    EXPECT_TRUE(ops.absolute(apPath(apPath::keep_text, apString::empty_string())).is_null());
    const apPath root(apString("/"));
    EXPECT_TRUE(ops.absolute(root.join(apString(std::string(300, 'x').c_str()))).is_null());
}

TEST_F(FileOperations, InterfaceVersionsAndTextServices)
{
    InterfaceOperations base;
    const apPath file(dir.join(apString("file.txt")).string(), &base);
    EXPECT_EQ(base.file_size(file), 5);
    EXPECT_EQ(base.file_size(file.with_string(dir.string() + apString("/missing"))), 0);
    EXPECT_EQ(base.file_size(file.with_string(dir.string())), 0);
    const apPath relative(apPath::keep_text, apString("a/./b\\..//"));
    EXPECT_EQ(to_utf8(base.absolute(relative)), "a/./b\\..//");

    EXPECT_EQ(ops.is_valid(at("x")), 1);
    EXPECT_EQ(ops.is_valid(apPath()), 0);
    EXPECT_EQ(to_utf8(ops.native(apPath(apString("C:/a/b")))), "C:\\a\\b");
}

TEST_F(FileStreams, ReadsEveryByteThenStaysAtEof)
{
    const struct {
        std::string bytes;
        std::vector<int> values;
    } cases[] = {
        {"", {}},
        {std::string("a\0\xFF\r\n\x1A", 6), {'a', 0, 255, '\r', '\n', 0x1A}},
    };
    for (const auto& c : cases) {
        std::FILE* f = open_read("in.bin", c.bytes);
        ASSERT_NE(f, nullptr);
        apFileBufIStream in(f);
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
