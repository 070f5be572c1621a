// The xmlParser operations that turn bytes into text before parsing it.
#include <istream>
#include <memory>
#include <new>

#include "core/apStringCPEncoding.h"
#include "files/apIFileOperations.h"
#include "files/apPath.h"
#include "xml/xmlDocument.h"
#include "xml/xmlEncodingDetection.h"
#include "xml/xmlParser.h"
#include "xml/xmlWideUnits.h"

void xmlParser::detect_encoding(const unsigned char* bytes, size_t count, apEncodingDescriptor* encoding,
                                int* bom_length)
{
    detect_xml_encoding(bytes, count, encoding, bom_length);
}

bool xmlParser::read_text(std::istream& in, apString* text, apEncodingDescriptor* encoding)
{
    std::istream::pos_type start = in.tellg();
    if (start == std::istream::pos_type(-1) || !in.seekg(0, std::ios::end)) {
        fail(ReadError);
        return false;
    }
    std::istream::pos_type end = in.tellg();
    in.seekg(start);
    if (end == std::istream::pos_type(-1) || !in) {
        fail(ReadError);
        return false;
    }
    std::streamoff size = end - start;
    if (size <= 0) {
        fail(EmptyInput);
        return false;
    }
    // Decoded, every byte may become four; past this the host's memory is
    // at stake, so such input is not read at all.
    if (static_cast<unsigned long long>(size) > xml_max_input_bytes) {
        fail(InputTooLarge);
        return false;
    }

    // One byte more, 0, so that every decoder may take the bytes as
    // zero-terminated. Held so that an allocation failure while decoding
    // frees it; failing to get it is an allocation failure like any other.
    const size_t count = static_cast<size_t>(size);
    std::unique_ptr<unsigned char[]> buffer(new unsigned char[count + 1]);
    unsigned char* bytes = buffer.get();
    in.read(reinterpret_cast<char*>(bytes), size);
    if (in.gcount() != size) {
        fail(ReadError);
        return false;
    }
    bytes[count] = 0;

    int bom = 0;
    detect_encoding(bytes, count, encoding, &bom);
    const unsigned char* body = bytes + bom;
    const size_t body_count = count - static_cast<size_t>(bom);
    int error = 0;
    bool decided = true;
    switch (encoding->kind()) {
    case apEncodingDescriptor::kind_utf8:
        *text = apString(reinterpret_cast<const char*>(body), &error);
        break;
    case apEncodingDescriptor::kind_utf16: {
        bool ok = true;
        *text = xmlunits::read_utf16be(body, body_count, &ok);
        error = ok ? 0 : 1;
        break;
    }
    case apEncodingDescriptor::kind_utf16le:
        *text = apString(body, body_count, &error);
        break;
    case apEncodingDescriptor::kind_utf32:
        *text = xmlunits::read_utf32be(body, body_count);
        break;
    case apEncodingDescriptor::kind_code_page:
        *text = apStringCPEncoding(encoding->code_page()).decode(reinterpret_cast<const char*>(bytes), &error);
        break;
    case apEncodingDescriptor::kind_none:
        fail(DecodeError);
        decided = false;
        break;
    default:
        fail(UnsupportedEncoding);
        decided = false;
        break;
    }
    buffer.reset();
    if (!decided)
        return false;
    if (error) {
        fail(DecodeError);
        return false;
    }
    return true;
}

bool xmlParser::parse_stream(xmlDocument* document, std::istream& in)
{
    reset();
    if (!in.good()) {
        fail(ReadError);
        return false;
    }
    apString text;
    apEncodingDescriptor encoding;
    if (!read_text(in, &text, &encoding))
        return false;
    document->set_encoding(encoding);
    return parse(document, text);
}

bool xmlParser::parse_file(xmlNode* target, const apPath& path)
{
    reset();
    if (target == nullptr) {
        fail(ReadError);
        return false;
    }
    xmlDocument* document = target->owner_document(); // a document owns itself
    // A file that names itself, or a ring of files, would read forever.
    if (document->external_depth_ >= xml_max_external_depth) {
        fail(ExternalTooDeep);
        return false;
    }
    const apPath& base = document->path();
    apPath file = path;
    if (!file.exists() && file.is_relative() && !base.text().is_null() && !base.text().is_empty()) {
        apPath beside = base.join(path.text());
        if (beside.exists())
            file = beside;
    }
    if (!file.is_file()) {
        fail(ReadError);
        return false;
    }
    std::unique_ptr<std::istream> in;
    if (!file.operations()->open_input(file, in).ok() || !in) {
        fail(ReadError);
        return false;
    }
    apString text;
    apEncodingDescriptor encoding;
    if (!read_text(*in, &text, &encoding))
        return false;
    document->set_encoding(encoding);
    ++document->external_depth_;
    const bool parsed = parse(target, text);
    --document->external_depth_;
    return parsed;
}

xmlDocument* xmlParser::load_document(std::istream& in)
{
    // Held until it is handed over, so that an allocation failure while
    // parsing frees it too.
    std::unique_ptr<xmlDocument> document(
        new xmlDocument(apEncodingDescriptor::from_kind(apEncodingDescriptor::kind_utf8)));
    if (!parse_stream(document.get(), in))
        return nullptr;
    return document.release();
}
