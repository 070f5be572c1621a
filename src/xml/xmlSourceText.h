// xmlSourceText: the text a parser reads, as UTF-8 followed by a 0 byte.
// UTF-8 input is checked and read where it lies; other encodings are
// turned into UTF-8 once. Either way the text ends at its first 0
// character, and no copy of it in code points is ever made.
#ifndef QEL_XML_XMLSOURCETEXT_H
#define QEL_XML_XMLSOURCETEXT_H

#include <cstddef>
#include <memory>

#include "core/apEncodingDescriptor.h"
#include "core/apString.h"
#include "xml/xmlParseError.h"

class xmlSourceText {
public:
    xmlSourceText();

    // Takes over `bytes`, `count` of them followed by a 0, whose first
    // `skip` bytes are a byte order mark: NoError, DecodeError for bytes
    // the encoding does not define (or no known encoding), or
    // UnsupportedEncoding for units it cannot decode.
    xmlParseError adopt(std::unique_ptr<unsigned char[]> bytes, size_t count, size_t skip,
                        const apEncodingDescriptor& encoding);
    void assign(const apString& text);
    void clear();

    const unsigned char* data() const { return data_; }
    // Bytes before the terminating 0.
    size_t size() const { return size_; }
    unsigned long long characters() const { return characters_; }

private:
    void take(std::unique_ptr<unsigned char[]> block, size_t size, unsigned long long characters);
    bool adopt_utf8(std::unique_ptr<unsigned char[]> bytes, size_t count, size_t skip);
    // Code points handed out by `walk` (a call taking a sink), up to the
    // first 0, as UTF-8; false when the walk reports a broken sequence.
    template <class Walk>
    bool encode(Walk walk);

    std::unique_ptr<unsigned char[]> owned_;
    const unsigned char* data_;
    size_t size_;
    unsigned long long characters_;
};

#endif
