// Bytes as an XML document: whatever loads, saved in each encoding the
// writer knows and loaded again, gives the same tree with the same text in
// it (as in xml_roundtrip, text may gain white space at its edges from
// indentation). A code page cannot carry every character, and its lines
// are written one by one (an empty line is not written, a long one fails
// the save), so there the property holds for text the code page carries
// line for line.
#include <cstdio>
#include <memory>
#include <sstream>
#include <string>

#include "core/apEncodingDescriptor.h"
#include "core/apString.h"
#include "core/apStringCPEncoding.h"
#include "core/utString.h"
#include "fuzzTarget.h"
#include "xml/xmlDocument.h"
#include "xml/xmlDocumentWriter.h"
#include "xml/xmlParser.h"
#include "xmlTreeText.h"

namespace {

using D = apEncodingDescriptor;

std::unique_ptr<xmlDocument> load(const std::string& bytes)
{
    std::istringstream in(bytes);
    xmlParser parser;
    return std::unique_ptr<xmlDocument>(parser.load_document(in));
}

apString unexpanded_text(xmlDocument* document)
{
    document->set_expand_entity_references(0);
    return document->serialize();
}

// Whether the code page writes `text` so that it reads back unchanged: every
// character has its own byte form, and no line is empty or too long.
bool code_page_carries(unsigned int code_page, const apString& text)
{
    const apStringCPEncoding encoding(code_page);
    int error = 0;
    const utString bytes = encoding.encode(text, &error);
    if (error)
        return false;
    int back_error = 0;
    if (encoding.decode(bytes.c_str(), &back_error) != text || back_error)
        return false;
    const std::string all(bytes.c_str());
    size_t line_start = 0;
    for (size_t i = 0; i <= all.size(); ++i) {
        if (i == all.size() || all[i] == '\n') {
            if (i == line_start || i - line_start > 1024)
                return false;
            line_start = i + 1;
        }
    }
    return true;
}

// Whether the document has no XML declaration or one of the usual form, on
// one line. Loading reads the encoding's name from the first line alone, so
// the name the writer puts into a declaration of any other shape need not
// be found there.
bool plain_declaration(const xmlDocument* document)
{
    const xmlNode* first = document->first_child();
    if (!first || first->node_type() != 7 || first->node_name() != apString("xml"))
        return true;
    const std::string data(first->stored_value().is_null() ? "" : first->stored_value().utf8_str());
    const std::string version = "version=\"1.0\"";
    if (data.compare(0, version.size(), version) != 0)
        return false;
    const std::string rest = data.substr(version.size());
    if (rest.empty())
        return true;
    const std::string encoding = " encoding=\"";
    if (rest.compare(0, encoding.size(), encoding) != 0)
        return false;
    const size_t close = rest.find('"', encoding.size());
    return close == rest.size() - 1 &&
           rest.find_first_of("\r\n\"<>&") == rest.find('"');
}

bool names_encoding_on_first_line(const apString& text, const D& encoding)
{
    const std::string utf8(text.utf8_str());
    const size_t line_end = utf8.find_first_of("\r\n");
    if (line_end == std::string::npos)
        return false;
    const std::string name = "encoding=\"" + std::string(encoding.name().c_str()) + "\"";
    return utf8.substr(0, line_end).find(name) != std::string::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 16384)
        return 0;
    const std::string input(reinterpret_cast<const char*>(data), size);
    const D encodings[] = {D::from_kind(D::kind_utf8), D::from_kind(D::kind_utf16), D::from_kind(D::kind_utf16le),
                           D::from_kind(D::kind_utf32), D::from_code_page(1252)};
    for (const D& encoding : encodings) {
        // A fresh load each time: the writer rewrites the declaration.
        std::unique_ptr<xmlDocument> document = load(input);
        if (!document || !plain_declaration(document.get()) || !fuzztree::quotable_document_type(document.get()))
            return 0;
        xmlDocumentWriter writer(document.get());
        writer.set_encoding(encoding);
        std::ostringstream out;
        const bool written = writer.write(out);
        const apString text = unexpanded_text(document.get());
        if (encoding.kind() == D::kind_code_page && !code_page_carries(encoding.code_page(), text))
            continue;
        fuzz_check(written, "a save the encoding can carry succeeds");
        // Loading finds the encoding from the first line: the declaration
        // must name it there (a declaration of several lines may not), and
        // there must be a line break (the declaration alone is one line
        // without a line end in the 16- and 32-bit encodings).
        if (!names_encoding_on_first_line(text, encoding))
            continue;

        std::istringstream in(out.str());
        xmlParser parser;
        std::unique_ptr<xmlDocument> reloaded(parser.load_document(in));
        if (!reloaded)
            std::fprintf(stderr, "saved as kind %u, code page %u: load error %u\n", encoding.kind(),
                         encoding.code_page(), parser.error_code());
        fuzz_check(reloaded != nullptr, "a saved document loads again");
        fuzz_check(reloaded->encoding() == encoding, "a saved document loads in the encoding it was saved in");
        fuzztree::check_same(document.get(), reloaded.get(), "a saved document loads as the same tree");
    }
    return 0;
}
