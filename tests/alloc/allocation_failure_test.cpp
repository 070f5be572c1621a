// Every allocation of an operation fails in turn: for n = 1, 2, ... the n-th
// allocation throws std::bad_alloc, until the operation completes without
// reaching it. Each failure must leave the operation as std::bad_alloc (the
// library's contract, at the exported functions too) and nothing else,
// free every block it took, keep what must not change (the parameter map,
// the document it worked on, which stays usable and destroyable), and the
// next attempt without a failure must give the right answer.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <new>
#include <sstream>
#include <string>
#include <vector>

#include "boundary/qliParameterMap.h"
#include "core/apEncodingDescriptor.h"
#include "core/apIStringEncoding.h"
#include "core/apString.h"
#include "core/apStringCPEncoding.h"
#include "failingAllocator.h"
#include "files/apByteBuffer.h"
#include "files/apIFileOperations.h"
#include "files/apPath.h"
#include "qellink.h"
#include "support/tempDir.h"
#include "support/testPrograms.h"
#include "xml/xmlCDATASection.h"
#include "xml/xmlComment.h"
#include "xml/xmlDocument.h"
#include "xml/xmlDocumentFragment.h"
#include "xml/xmlDocumentWriter.h"
#include "xml/xmlElement.h"
#include "xml/xmlParser.h"
#include "xml/xmlProcessingInstruction.h"
#include "xml/xmlText.h"

namespace {

namespace fs = std::filesystem;

// One operation under test. prepare() and finish() run without failures,
// before and after run(); finish() uses and then releases what run() made,
// whether it completed or not.
class Operation {
public:
    virtual ~Operation() = default;
    virtual void prepare() {}
    virtual void run() = 0;
    virtual void finish() {}
    // The answer of the last completed run.
    virtual std::string outcome() const = 0;
    // What a failed run must leave as it found it.
    virtual std::string state() const { return std::string(); }
    // Whether the last run reported a failure in the way the operation
    // defines for it, rather than by throwing.
    virtual bool reported_failure() const { return false; }
};

// Reports a difference; false when there is one.
template <class T>
bool same(const T& found, const T& expected, const std::string& what)
{
    if (found == expected)
        return true;
    ADD_FAILURE() << what << "\n  found:    " << found << "\n  expected: " << expected;
    return false;
}

// Fails each allocation of the operation in turn; answers how many there
// were (the allocations of a run that completes). Stops at the first
// allocation whose failure breaks a rule: one is enough to look at.
long fail_each_allocation(Operation& op)
{
    op.prepare();
    op.run();
    op.finish();
    const std::string expected = op.outcome();
    for (long n = 1;; ++n) {
        const std::string at = " (allocation " + std::to_string(n) + ")";
        const std::string state = op.state();
        const long before = failalloc::live_blocks();
        const long serial = failalloc::last_serial();
        op.prepare();
        failalloc::arm(n);
        bool failed = false;
        std::string other; // any exception but std::bad_alloc
        try {
            op.run();
        } catch (const std::bad_alloc&) {
            failed = true;
        } catch (const std::exception& e) {
            other = e.what();
        } catch (...) {
            other = "an exception of no standard type";
        }
        const bool reached = failalloc::disarm();
        op.finish();
        const long after = failalloc::live_blocks(); // before the messages below take any
        const long left = failalloc::first_live_since(serial);
        bool ok = same(other, std::string(), "a failed allocation leaves as another exception" + at);
        if (!reached) {
            return same(op.outcome(), expected, "the run that completes") ? n - 1 : -n;
        }
        if (failed) {
            ok = same(after, before, "blocks left behind, the first of them allocation number " + std::to_string(left) + at) && ok;
            ok = same(op.state(), state, "changed by the failure" + at) && ok;
        } else if (!op.reported_failure()) {
            ok = same(op.outcome(), expected, "a failure hidden in a wrong answer" + at) && ok;
        }
        op.prepare();
        op.run();
        op.finish();
        ok = same(op.outcome(), expected, "the run after a failure" + at) && ok;
        if (!ok)
            return -n;
    }
}

std::string utf8(const apString& s)
{
    return s.is_null() ? std::string("<null>") : std::string(s.utf8_str());
}

// Every construct the parser reads, on a few lines, with an external entity
// read from a file of its own (in UTF-16, so that it is decoded too).
class Document {
public:
    Document()
    {
        testsupport::write_bytes(directory_.at("external.xml"), std::string("\xFF\xFE<\0x\0>\0\xE4\0<\0/\0x\0>\0", 18));
        text_ = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                "<!DOCTYPE r SYSTEM \"r.dtd\" [\n"
                "  <!ENTITY e \"<i>in</i> &amp; out\">\n"
                "  <!ENTITY % p \"parameter\">\n"
                "  <!ENTITY x SYSTEM \"" +
                directory_.at("external.xml").generic_u8string() +
                "\">\n"
                "  <!ENTITY u SYSTEM \"u.bin\" NDATA n>\n"
                "]>\n"
                "<!-- comment -->\n"
                "<?pi data?>\n"
                "<r a=\"1\" b='&lt;&#65;'>\n"
                "  text &amp; &#228; &e; &x; &undeclared;\n"
                "  <c><![CDATA[<raw>]]></c>\n"
                "  <p:q xmlns:p=\"urn:x\"/>\n"
                "  \xC3\xA4\xE2\x82\xAC\n"
                "</r>\n";
    }
    const std::string& text() const { return text_; }

private:
    testsupport::TempDir directory_;
    std::string text_;
};

const std::string& document_text()
{
    static const Document document;
    return document.text();
}

std::string serialized(xmlDocument* document)
{
    return document ? utf8(document->serialize()) : std::string("<none>");
}

// Loading bytes into a new document.
class LoadDocument : public Operation {
public:
    // The streams are the test's, made before and outside the failures.
    void prepare() override { in_.reset(new std::istringstream(document_text())); }
    void run() override
    {
        xmlParser parser;
        document_.reset(parser.load_document(*in_));
        error_ = parser.error_code();
    }
    void finish() override
    {
        outcome_ = std::to_string(error_) + ":" + serialized(document_.get());
        document_.reset();
        in_.reset();
    }
    std::string outcome() const override { return outcome_; }

private:
    std::unique_ptr<std::istringstream> in_;
    std::unique_ptr<xmlDocument> document_;
    unsigned int error_ = 0;
    std::string outcome_;
};

// Parsing into a document that exists already: whatever a failure leaves in
// it, it can still be written and destroyed.
class ParseIntoDocument : public Operation {
public:
    void prepare() override
    {
        in_.reset(new std::istringstream(document_text()));
        document_.reset(new xmlDocument(apEncodingDescriptor()));
    }
    void run() override
    {
        xmlParser parser;
        ok_ = parser.parse_stream(document_.get(), *in_);
    }
    void finish() override
    {
        outcome_ = std::to_string(ok_) + ":" + serialized(document_.get());
        document_.reset();
        in_.reset();
    }
    std::string outcome() const override { return outcome_; }

private:
    std::unique_ptr<std::istringstream> in_;
    std::unique_ptr<xmlDocument> document_;
    bool ok_ = false;
    std::string outcome_;
};

// Saving a loaded document in one encoding.
class SaveDocument : public Operation {
public:
    explicit SaveDocument(apEncodingDescriptor encoding) : encoding_(encoding) {}
    void prepare() override
    {
        std::istringstream in(document_text());
        xmlParser parser;
        document_.reset(parser.load_document(in));
        out_.reset(new std::ostringstream);
    }
    void run() override
    {
        xmlDocumentWriter writer(document_.get());
        writer.set_encoding(encoding_);
        ok_ = writer.write(*out_);
    }
    void finish() override
    {
        // The stream takes a failure to grow as its own error, which the
        // caller reads from the stream; the document must be unharmed then.
        outcome_ = out_->bad() ? std::string("the stream failed") : std::to_string(ok_) + ":" + out_->str();
        outcome_ += "|" + serialized(document_.get());
        if (expected_document_.empty() && !out_->bad()) // the first run, which completes
            expected_document_ = outcome_.substr(outcome_.find('|'));
        document_.reset();
        out_.reset();
    }
    std::string outcome() const override { return outcome_; }
    bool reported_failure() const override
    {
        return outcome_.compare(0, 17, "the stream failed") == 0 && outcome_.substr(17) == expected_document_;
    }

private:
    std::string expected_document_;
    apEncodingDescriptor encoding_;
    std::unique_ptr<xmlDocument> document_;
    std::unique_ptr<std::ostringstream> out_;
    bool ok_ = false;
    std::string outcome_;
};

// Building a tree with the document's factories and tree operations: what a
// failure leaves half built can still be written and destroyed.
class BuildTree : public Operation {
public:
    void prepare() override { document_.reset(new xmlDocument(apEncodingDescriptor::from_code_page(1252))); }
    void run() override
    {
        xmlDocument* d = document_.get();
        xmlElement* root = d->create_element(apString("Request"));
        d->append_child(root);
        root->set_attribute(apString("a"), apString("1 & 2"));
        root->set_attribute(apString("a"), apString("3"));
        xmlElement* value = d->create_element(apString("Value"));
        value->set_text(apString("Kupfer \xC3\xA4"));
        root->append_child(value);
        root->insert_before(d->create_comment(apString("c")), value);
        root->append_child(d->create_cdata_section(apString("<raw>")));
        root->append_child(d->create_processing_instruction(apString("pi"), apString("data")));
        xmlDocumentFragment* fragment = d->create_document_fragment();
        fragment->append_child(d->create_text_node(apString("t")));
        fragment->append_child(value->clone_node(true));
        root->append_child(fragment);
        root->remove_child(value);
        d->insert_before(d->create_comment(apString("first")), root);
    }
    void finish() override
    {
        outcome_ = serialized(document_.get());
        document_.reset();
    }
    std::string outcome() const override { return outcome_; }

private:
    std::unique_ptr<xmlDocument> document_;
    std::string outcome_;
};

// The process-wide parameters the tests set, as a failure must leave them.
std::vector<std::string> g_names;

std::string parameter_map()
{
    std::string out = std::to_string(process_parameters().size());
    for (const std::string& name : g_names)
        out += "|" + name + "=" + utf8(process_parameters().parameter(apString(name.c_str())).value());
    return out;
}

void set(const std::string& name, const std::string& value)
{
    int status = -1;
    set_parameter_value(name.c_str(), value.c_str(), &status);
    ASSERT_EQ(status, 0) << name;
    g_names.push_back(name);
}

// set_parameter_value of a name that is there: a new value.
class ReplaceParameter : public Operation {
public:
    void run() override
    {
        int status = -1;
        value_ = (round_ + 1) % 2 ? "one" : "two";
        set_parameter_value("Replaced", value_, &status);
        ++round_;
        status_ = status;
    }
    std::string outcome() const override
    {
        const bool stored = utf8(process_parameters().parameter(apString("Replaced")).value()) == value_;
        return std::to_string(status_) + (stored ? ": the value is stored" : ": the value is not stored");
    }
    std::string state() const override { return parameter_map(); }

private:
    int round_ = 0;
    const char* value_ = "";
    int status_ = -1;
};

// A whole query against the reference program: request written, program
// run, answer read and handed over.
class Query : public Operation {
public:
    explicit Query(fs::path exchange) : exchange_(std::move(exchange)) {}
    void run() override
    {
        int status = -1;
        const char* text = nullptr;
        try {
            text = electrode_materials("1.2379", &status);
        } catch (const std::bad_alloc&) {
            failed_status_ = status;
            throw;
        }
        // The host's string is released even when the outcome below cannot
        // be built.
        const std::unique_ptr<const char, void (*)(const char*)> answer(
            text, [](const char* text) { delete_string(const_cast<char*>(text)); });
        outcome_ = std::to_string(status) + ":" + (answer ? answer.get() : "<null>");
    }
    std::string outcome() const override { return outcome_; }
    // The host's status as an allocation failure left it: never success, as
    // no answer came back; the map; and no file in the exchange directory
    // but the programs, their table and the two files of this kind.
    std::string state() const override
    {
        std::string files;
        for (const fs::directory_entry& entry : fs::directory_iterator(exchange_)) {
            const std::string name = entry.path().filename().string();
            if (name != "R_ElectrodeMat.xml" && name != "A_ElectrodeMat.xml" && name.find(".exe") == std::string::npos &&
                name != "sample-technology.txt")
                files += " " + name;
        }
        return "status " + std::to_string(failed_status_) + " " + parameter_map() + files;
    }

private:
    fs::path exchange_;
    std::string outcome_;
    int failed_status_ = -1;
};

// The exports that take no request: the version and the installation check.
class OtherExports : public Operation {
public:
    void run() override
    {
        const std::unique_ptr<const char, void (*)(const char*)> version(
            api_version(), [](const char* text) { delete_string(const_cast<char*>(text)); });
        const bool installed = qel_installed();
        outcome_ = std::string(version.get()) + (installed ? " installed" : " not installed");
    }
    std::string outcome() const override { return outcome_; }
    std::string state() const override { return parameter_map(); }

private:
    std::string outcome_;
};

std::string hex(const char* bytes)
{
    std::string out;
    char two[4];
    for (const char* p = bytes; *p; ++p) {
        std::snprintf(two, sizeof two, "%02x", static_cast<unsigned char>(*p));
        out += two;
    }
    return out;
}

// The code-page, C-runtime and UTF conversions.
class Conversions : public Operation {
public:
    void run() override
    {
        std::string out;
        int error = 0;
        const apString text("Stahl \xC3\xA4\xE2\x82\xAC \xE4\xB8\x80 \xF0\x9F\x98\x80", &error);
        out += std::to_string(error);
        for (unsigned int page : {1252u, 1251u, 932u, 50225u}) {
            const apStringCPEncoding encoding(page);
            int encode_error = 0, decode_error = 0;
            const utString bytes = encoding.encode(text, &encode_error);
            const apString back = encoding.decode(bytes.c_str(), &decode_error);
            out += "|" + std::to_string(page) + ":" + hex(bytes.c_str()) + std::to_string(encode_error) +
                   utf8(back) + std::to_string(decode_error);
        }
        const apString from_units(text.utf16_str(), &error);
        out += "|" + utf8(from_units) + std::to_string(error);
        const apString bad("\xC3(", &error);
        out += "|" + utf8(bad) + std::to_string(error);
        apIStringEncoding* crt = default_string_encoding();
        int crt_error = 0;
        const utString narrow = crt->encode(apString("plain"), &crt_error);
        out += "|" + std::string(narrow.c_str()) + std::to_string(crt_error);
        out += utf8(crt->decode("plain", &crt_error)) + std::to_string(crt_error);
        outcome_ = out;
    }
    std::string outcome() const override { return outcome_; }

private:
    std::string outcome_;
};

// Path text operations, the questions that reach the file system, and
// whole-file reading and writing.
class PathOperations : public Operation {
public:
    explicit PathOperations(apString directory) : directory_(std::move(directory)) {}
    void run() override
    {
        const apPath base(directory_);
        const apPath file = base.join(apString("sub/../f\xC3\xA4.txt"));
        std::string out = utf8(apPath::normalize(apString("a//b/./c/../d\\e"))) + "|" + utf8(file.text()) + "|" +
                          utf8(file.parent()) + "|" + std::to_string(file.is_file()) +
                          std::to_string(base.is_directory()) + std::to_string(base.join("none").exists()) + "|" +
                          std::string(file.narrow().c_str() ? "narrow" : "");
        // Whole-file reading and writing, through the byte buffer.
        const apPath copy = base.join("copy.bin");
        const apByteBuffer bytes("bytes", 5);
        out += "|" + std::to_string(copy.operations()->write_file(copy, bytes).ok());
        apByteBuffer back;
        read_ = copy.operations()->read_file(copy, back).ok();
        out += std::to_string(read_) + std::string(reinterpret_cast<const char*>(back.data()), back.length());
        outcome_ = out;
    }
    std::string outcome() const override { return outcome_; }
    // Reading a whole file reports a buffer it cannot get as a failed read.
    bool reported_failure() const override { return read_ == 0; }

private:
    apString directory_;
    int read_ = 0;
    std::string outcome_;
};

TEST(AllocationFailure, LoadingADocument)
{
    LoadDocument load;
    EXPECT_GT(fail_each_allocation(load), 50);
    EXPECT_EQ(load.outcome().substr(0, 12), "0:<!DOCTYPE ") << "the document loads";
    EXPECT_NE(load.outcome().find("<x>\xC3\xA4</x>"), std::string::npos) << "the external entity is read";
    ParseIntoDocument parse;
    EXPECT_GT(fail_each_allocation(parse), 20);
}

TEST(AllocationFailure, BuildingATree)
{
    BuildTree build;
    EXPECT_GT(fail_each_allocation(build), 10);
}

TEST(AllocationFailure, SavingADocumentInEachEncoding)
{
    using D = apEncodingDescriptor;
    for (D encoding : {D(), D::from_kind(D::kind_utf8), D::from_kind(D::kind_utf16), D::from_kind(D::kind_utf16le),
                       D::from_kind(D::kind_utf32), D::from_code_page(1252)}) {
        SaveDocument save(encoding);
        EXPECT_GT(fail_each_allocation(save), 10) << encoding.kind() << " " << encoding.code_page();
    }
}

TEST(AllocationFailure, SettingAParameter)
{
    set("Replaced", "zero");
    ReplaceParameter replace;
    EXPECT_GT(fail_each_allocation(replace), 1);
}

// New names, each set with every allocation failing in turn until it is
// stored: the map grows through several doublings, and an insertion whose
// growth fails must leave it as it was.
TEST(AllocationFailure, SettingNewParametersWhileTheMapGrows)
{
    long most = 0;
    for (int k = 0; process_parameters().size() < 100; ++k) {
        const std::string name = "Grown" + std::to_string(k);
        g_names.reserve(g_names.size() + 1);
        for (long n = 1;; ++n) {
            const std::string state = parameter_map();
            const long before = failalloc::live_blocks();
            int status = -1;
            bool failed = false;
            failalloc::arm(n);
            try {
                set_parameter_value(name.c_str(), "value", &status);
            } catch (const std::bad_alloc&) {
                failed = true;
            }
            const bool reached = failalloc::disarm();
            const long after = failalloc::live_blocks();
            if (!reached) {
                ASSERT_EQ(status, 0) << name;
                g_names.push_back(name);
                most = std::max(most, n - 1);
                break;
            }
            ASSERT_TRUE(failed) << name << ": allocation " << n << " failed without an exception";
            ASSERT_EQ(after, before) << name << ": blocks left behind by allocation " << n;
            ASSERT_EQ(parameter_map(), state) << name << ": the map changed when allocation " << n << " failed";
            ASSERT_EQ(utf8(process_parameters().parameter(apString(name.c_str())).value()), "")
                << name << ": stored although allocation " << n << " failed";
        }
    }
    EXPECT_GT(most, 2) << "no insertion made the map grow";
}

TEST(AllocationFailure, AQueryAgainstTheReferenceProgram)
{
    testsupport::ScratchDirectory exchange;
    for (const char* file : {"ElectrodeMaterial.exe", "sample-technology.txt"})
        fs::copy_file(fs::absolute("exchange") / file, exchange.path() / file);
    set("ImportStudyPath", exchange.path().string());
    Query query(exchange.path());
    EXPECT_GT(fail_each_allocation(query), 50);
    OtherExports others;
    EXPECT_GT(fail_each_allocation(others), 1);
    EXPECT_EQ(others.outcome(), "1.0 not installed") << "only one of the three programs is there";
}

TEST(AllocationFailure, Conversions)
{
    Conversions conversions;
    EXPECT_GT(fail_each_allocation(conversions), 10);
}

TEST(AllocationFailure, PathOperations)
{
    testsupport::TempDir directory;
    testsupport::write_bytes(directory.at("f\xC3\xA4.txt"), "x");
    PathOperations paths(directory.text());
    EXPECT_GT(fail_each_allocation(paths), 10);
}

} // namespace
