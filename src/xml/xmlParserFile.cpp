// Reading an external entity's file: a first version that takes the bytes
// as UTF-8 (ASCII included); detecting other encodings comes with document
// loading.
#include "xml/xmlParser.h"

#include <fstream>
#include <iterator>
#include <string>

#include "files/apPath.h"
#include "xml/xmlDocument.h"

bool xmlParser::parse_file(xmlNode* target, const apPath& path)
{
    source_ = apString();
    reset();
    if (target == nullptr) {
        fail(ReadError);
        return false;
    }
    xmlDocument* document = target->owner_document();
    apPath file = path;
    if (!file.exists() && !document->path().text().is_empty()) {
        apPath relative = document->path().join(path.text());
        if (relative.exists())
            file = relative;
    }
    // A directory would make the stream throw on reading.
    if (!file.is_file()) {
        fail(ReadError);
        return false;
    }
    std::ifstream in(file.narrow().c_str(), std::ios::in | std::ios::binary);
    if (!in) {
        fail(ReadError);
        return false;
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.empty()) {
        fail(EmptyInput);
        return false;
    }
    const size_t mark = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    int error = 0;
    const apString text(bytes.c_str() + mark, &error);
    if (error) {
        fail(DecodeError);
        return false;
    }
    return parse(target, text);
}
