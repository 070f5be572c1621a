// The xmlParser operations that read bytes from streams and files.
#include <algorithm>
#include <cstring>
#include <istream>
#include <memory>
#include <new>

#include "files/apIFileOperations.h"
#include "files/apPath.h"
#include "xml/xmlDocument.h"
#include "xml/xmlEncodingDetection.h"
#include "xml/xmlParser.h"
#include "xml/xmlParseLimits.h"
#include "xml/xmlUtf8.h"

void xmlParser::detect_encoding(const unsigned char* bytes, size_t count, apEncodingDescriptor* encoding,
                                int* bom_length)
{
    detect_xml_encoding(bytes, count, encoding, bom_length);
}

bool xmlParser::read_source(std::istream& in, apEncodingDescriptor* encoding, size_t window)
{
    text_.clear();
    reset();
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
    // Past this the host's memory is at stake, so such input is not read
    // at all.
    if (static_cast<unsigned long long>(size) > xml_max_input_bytes) {
        fail(InputTooLarge);
        return false;
    }

    const size_t count = static_cast<size_t>(size);
    if (count > window && read_streamed(in, start, count, window, encoding))
        return error_ == NoError;

    // One byte more, 0, so that every decoder may take the bytes as
    // zero-terminated. Held so that an allocation failure while decoding
    // frees it; failing to get it is an allocation failure like any other.
    std::unique_ptr<unsigned char[]> bytes(new unsigned char[count + 1]);
    in.read(reinterpret_cast<char*>(bytes.get()), size);
    if (in.gcount() != size) {
        fail(ReadError);
        return false;
    }
    bytes[count] = 0;

    int bom = 0;
    detect_encoding(bytes.get(), count, encoding, &bom);
    const xmlParseError decoded = text_.adopt(std::move(bytes), count, static_cast<size_t>(bom), *encoding);
    if (decoded != NoError) {
        fail(decoded);
        return false;
    }
    return true;
}

bool xmlParser::read_streamed(std::istream& in, std::streampos start, size_t count, size_t window,
                              apEncodingDescriptor* encoding)
{
    // The encoding shows in the first line. When that line ends within the
    // head and names UTF-8 (or a byte order mark does), the text streams;
    // anything else is read whole.
    unsigned char head[4096];
    const size_t head_count = std::min(sizeof head, count);
    in.read(reinterpret_cast<char*>(head), static_cast<std::streamsize>(head_count));
    if (static_cast<size_t>(in.gcount()) != head_count) {
        fail(ReadError);
        return true;
    }
    int bom = 0;
    detect_encoding(head, head_count, encoding, &bom);
    const bool first_line_ends = std::memchr(head, '\n', head_count) || std::memchr(head, '\r', head_count);
    if (encoding->kind() != apEncodingDescriptor::kind_utf8 || (bom == 0 && !first_line_ends)) {
        if (!in.seekg(start)) {
            fail(ReadError);
            return true;
        }
        return false;
    }
    const xmlParseError streamed =
        text_.stream_utf8(in, start + static_cast<std::streamoff>(bom), count - static_cast<size_t>(bom), window);
    if (streamed != NoError)
        fail(streamed);
    return true;
}

bool xmlParser::read_text(std::istream& in, apString* text, apEncodingDescriptor* encoding)
{
    // The text is wanted whole.
    if (!read_source(in, encoding, static_cast<size_t>(-1)))
        return false;
    *text = xmlutf8::to_string(text_.data(), text_.size());
    text_.clear();
    reset();
    return true;
}

bool xmlParser::parse_stream(xmlDocument* document, std::istream& in)
{
    reset();
    if (!in.good()) {
        fail(ReadError);
        return false;
    }
    apEncodingDescriptor encoding;
    if (!read_source(in, &encoding, window_))
        return false;
    document->set_encoding(encoding);
    return parse_source(document);
}

bool xmlParser::parse_file(xmlNode* target, const apPath& path)
{
    reset();
    if (target == nullptr) {
        fail(ReadError);
        return false;
    }
    xmlParseLimits& limits = target->owner_document()->parse_limits(); // a document owns itself
    if (!limits.enter_file()) {
        fail(ExternalTooDeep);
        return false;
    }
    const bool parsed = parse_file_within_limits(target, path);
    limits.leave_file();
    return parsed;
}

bool xmlParser::parse_file_within_limits(xmlNode* target, const apPath& path)
{
    xmlDocument* document = target->owner_document();
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
    apEncodingDescriptor encoding;
    if (!read_source(*in, &encoding, window_))
        return false;
    document->set_encoding(encoding);
    return parse_source(target);
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
