// Bytes as an XML document: whatever loads must serialize to text that
// loads again into the same tree (but for the white space that indentation
// adds at the edges of text). The serializer's output is thus always
// loadable, and nothing it writes changes meaning when read back.
#include <cstdio>
#include <memory>
#include <sstream>
#include <string>

#include "core/apString.h"
#include "fuzzTarget.h"
#include "xml/xmlDocument.h"
#include "xml/xmlParser.h"
#include "xml/xmlSerializer.h"
#include "xmlTreeText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 16384)
        return 0; // deep or wide trees are the limits' business, not this property's
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    xmlParser parser;
    std::unique_ptr<xmlDocument> first(parser.load_document(in));
    if (!first || !fuzztree::quotable_document_type(first.get()))
        return 0;
    // References stay references, as a save writes them.
    first->set_expand_entity_references(0);
    const apString text = first->serialize();
    fuzz_check(!text.is_null(), "a document serializes");

    std::unique_ptr<xmlDocument> second(new xmlDocument(first->encoding()));
    second->set_expand_entity_references(0);
    xmlParser again;
    const bool loads = again.parse(second.get(), text);
    if (!loads)
        std::fprintf(stderr, "written text fails with error %u at %d:%d\n", again.error_code(), again.error_line(),
                     again.error_column());
    fuzz_check(loads, "what the serializer writes loads again");
    fuzztree::check_same(first.get(), second.get(), "the reloaded tree is the tree that was written");
    return 0;
}
