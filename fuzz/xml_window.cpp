// Bytes as an XML document, loaded twice: held whole, and through a window
// of a few bytes that must slide and grow at every kind of construct. Both
// loads end alike: the same error at the same line and column, or the same
// tree.
#include <memory>
#include <sstream>
#include <string>

#include "core/apString.h"
#include "fuzzTarget.h"
#include "xml/xmlDocument.h"
#include "xml/xmlParser.h"
#include "xmlTreeText.h"

namespace {

struct Loaded {
    std::unique_ptr<xmlDocument> document;
    unsigned int error;
    int line;
    int column;
};

Loaded load(const std::string& bytes, size_t window)
{
    std::istringstream in(bytes);
    xmlParser parser;
    parser.set_read_window(window);
    Loaded loaded;
    loaded.document.reset(parser.load_document(in));
    loaded.error = parser.error_code();
    loaded.line = parser.error_line();
    loaded.column = parser.error_column();
    return loaded;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 65536)
        return 0;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const Loaded whole = load(bytes, static_cast<size_t>(-1));
    const Loaded windowed = load(bytes, 16 + size % 48);
    fuzz_check(whole.error == windowed.error, "the same error code either way");
    fuzz_check(whole.line == windowed.line && whole.column == windowed.column, "the error at the same place");
    fuzz_check(!whole.document == !windowed.document, "a document either way or neither");
    if (whole.document) {
        fuzztree::check_same(whole.document.get(), windowed.document.get(), "the same tree either way");
        fuzz_check(whole.document->serialize() == windowed.document->serialize(), "the same text written");
        fuzz_check(whole.document->encoding().kind() == windowed.document->encoding().kind(),
                   "the same encoding detected");
    }
    return 0;
}
