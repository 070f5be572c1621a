// xmlParser: reads XML text into nodes under a target node (a document, an
// entity, or a document type whose internal subset holds entity
// declarations). Recursive descent over the UTF-8 bytes of one text with a
// single position, a byte offset; it stops at the first error and reports it
// as a code with the line and column of that offset, counted in characters
// from the start of the text only then. A large input is read through a
// window that moves on at the start of each node.
#ifndef QEL_XML_XMLPARSER_H
#define QEL_XML_XMLPARSER_H

#include <cstddef>
#include <cstring>
#include <iosfwd>
#include <string>

#include "core/apEncodingDescriptor.h"
#include "core/apString.h"
#include "xml/xmlParseError.h"
#include "xml/xmlSourceText.h"
#include "xml/xmlTextCache.h"

class apPath;
class xmlDocument;
class xmlDocumentType;
class xmlEntity;
class xmlNode;
class xmlParseLimits;

class xmlParser {
public:
    xmlParser();
    ~xmlParser();
    xmlParser(const xmlParser&) = delete;
    xmlParser& operator=(const xmlParser&) = delete;

    void reset();
    // True on success; otherwise error_code(), error_line() and
    // error_column() tell why and where. Nodes made before an error stay
    // owned by the document.
    bool parse(xmlNode* target, const apString& text);
    // Reads the file at `path` (tried relative to the document's path when
    // it names nothing) and parses it into `target`; error 1 when there is
    // no such file.
    bool parse_file(xmlNode* target, const apPath& path);

    // Reads every byte of the stream, decodes it by its detected encoding
    // and parses it into the document, whose encoding becomes the detected
    // one. Error 1 for a stream that is not good or cannot be read, 10 for
    // bytes of no known or a broken encoding, 11 for 32-bit units other than
    // big-endian, 12 for no bytes at all.
    bool parse_stream(xmlDocument* document, std::istream& in);
    // A new document read from the stream, owned by the caller; null on any
    // error, which error_code() then tells.
    xmlDocument* load_document(std::istream& in);
    // The stream's remaining bytes decoded, and their encoding: what
    // parse_stream() reads.
    bool read_text(std::istream& in, apString* text, apEncodingDescriptor* encoding);
    // Inputs of more bytes than this are read through a window of this many
    // bytes rather than whole (64 KiB unless set).
    void set_read_window(size_t bytes) { window_ = bytes; }
    // The encoding of `count` bytes and the length of their byte order mark.
    static void detect_encoding(const unsigned char* bytes, size_t count, apEncodingDescriptor* encoding,
                                int* bom_length);

    unsigned int error_code() const { return error_; }
    // 0 while there is no error.
    int error_line() const { return error_ ? line_ : 0; }
    int error_column() const { return error_ ? column_ : 0; }

    // What the text last parsed amounts to with every bound reference in it
    // replaced by its entity's content, in characters; and how deep nodes
    // nest below the target, entity contents included. An entity knows
    // both once it is built, so references to it are weighed without
    // expanding them.
    unsigned long long expanded_size() const { return expanded_size_; }
    int nested_depth() const { return nested_depth_; }

private:
    using codepoint = apString::codepoint;

    // Where the most recent search for a terminator left off, so that no
    // stretch of text is searched twice for the same terminator.
    struct SearchMemo {
        size_t from = 0;
        size_t found = 0; // source length when absent from `from` on
        bool valid = false;
    };

    void fail(unsigned int code) { fail_at(code, position_); }
    void fail_at(unsigned int code, size_t offset);

    // Reads the stream's remaining bytes into text_ and decodes them; more
    // than `window` of them in UTF-8 stream through a window.
    bool read_source(std::istream& in, apEncodingDescriptor* encoding, size_t window);
    // Streams `count` bytes from `start` when the head shows UTF-8 (and
    // answers true, with error_ telling how it went); false, with the stream
    // back at `start`, when they must be read whole.
    bool read_streamed(std::istream& in, std::streampos start, size_t count, size_t window,
                       apEncodingDescriptor* encoding);
    bool parse_file_within_limits(xmlNode* target, const apPath& path);
    // Parses text_ into `target`, then lets it go.
    bool parse_source(xmlNode* target);
    // Nodes up to the end of the range or the first end tag, into `target`
    // (a document, entity or document type: document types made on the way
    // have placed themselves).
    void read_into(xmlNode* target);

    xmlNode* read_node();
    xmlNode* read_element();
    void read_end_tag();
    xmlNode* read_reference();
    xmlNode* read_character_data(size_t start);
    xmlNode* read_comment();
    xmlNode* read_cdata_section();
    xmlNode* read_processing_instruction();
    xmlNode* read_document_type();
    // The bytes from `from` to `to` as the internal subset of `doctype`.
    bool read_internal_subset(xmlDocumentType* doctype, size_t from, size_t to);
    xmlNode* read_entity_declaration();
    bool read_external_ids(bool is_public, apString& public_id, apString& system_id);

    // The text from `from` up to `to`, shared when it was met before. Like
    // the two readers below, the answer holds until the next of them.
    const apString& piece(size_t from, size_t to);
    const apString& read_name();
    const apString& read_qualified_name();
    // Copies the last end tag's name while the window still holds it.
    void keep_end_tag();
    // Moves over a qualified name; false (and a syntax error) for a ":"
    // without a name after it.
    bool skip_qualified_name();
    const apString& read_quoted_value();
    // Where `terminator` next stands from the position on; end_ when nowhere.
    size_t find(const char* terminator, SearchMemo& memo);
    // The text up to the terminator, moving past it; null when it is absent.
    apString read_up_to(const char* terminator, SearchMemo& memo);
    apString replace_references(const apString& value) const;

    // Every move goes through these: the position is all there is.
    bool at_end() const { return position_ >= end_; }
    // Whether byte `offset` is in the range, bringing it into the window.
    bool have(size_t offset) { return offset < limit_ || (offset < end_ && bring(offset)); }
    bool bring(size_t offset);
    // Where the window holds byte `offset` (which it must hold).
    const unsigned char* at(size_t offset) const { return source_ + (offset - base_); }
    // Sets the end of the range being read.
    void set_end(size_t end);
    // Where `byte` next stands from `from` on; end_ when nowhere.
    size_t find_byte(size_t from, unsigned char byte);
    // The byte at the position, or `ahead` bytes on; 0 past the end. Every
    // character the grammar names is one byte, so comparing bytes is enough.
    unsigned char current() { return have(position_) ? *at(position_) : 0; }
    unsigned char peek(size_t ahead) { return have(position_ + ahead) ? *at(position_ + ahead) : 0; }
    // The character that starts at `offset`; 0 past the end.
    codepoint char_at(size_t offset)
    {
        return offset < limit_ && source_[offset - base_] < 0x80 ? source_[offset - base_] : char_beyond(offset);
    }
    codepoint char_beyond(size_t offset);
    bool looking_at(const char* token, size_t length)
    {
        return have(position_ + length - 1) && std::memcmp(at(position_), token, length) == 0;
    }
    // Moves over `token` (a literal) when it stands at the position.
    template <size_t N>
    bool skip(const char (&token)[N])
    {
        if (!looking_at(token, N - 1))
            return false;
        position_ += N - 1;
        return true;
    }
    void advance();
    // Advances over the characters from the position on that `accept` takes.
    template <class Accept>
    void advance_while(Accept accept);
    void skip_white_space();

    // Every level of nesting passes through these two, so a limit on depth
    // belongs here.
    bool descend();
    void ascend();
    // Weighs a reference bound to `entity` against the document's limits.
    bool admit_reference(const xmlEntity* entity);

    xmlSourceText text_;
    size_t window_;
    const unsigned char* source_; // text_'s window, which holds bytes base_ on
    size_t base_;
    size_t end_;   // where the range being read ends
    size_t limit_; // the range's end or the window's, whichever is first
    size_t position_;
    unsigned int error_;
    int line_;
    int column_;
    xmlDocument* target_document_;
    xmlParseLimits* limits_; // the target document's
    // Where the name of the end tag read last stands; length 0 while none.
    size_t end_tag_start_;
    size_t end_tag_length_;
    // That name's bytes, copied before the window lets go of them: an
    // element whose content ends without its own end tag compares them.
    std::string kept_tag_;
    size_t kept_tag_start_;
    unsigned int skip_space_;
    unsigned long long expanded_size_;
    int nested_depth_;
    int base_depth_; // the document's depth when this parse began

    SearchMemo comment_end_;
    SearchMemo cdata_end_;
    SearchMemo pi_end_;
    SearchMemo subset_end_;
    xmlTextCache cache_;
};

#endif
