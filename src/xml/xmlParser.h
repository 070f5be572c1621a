// xmlParser: reads XML text into nodes under a target node (a document, an
// entity, or a document type whose internal subset holds entity
// declarations). Recursive descent over the characters of one string with a
// single position, line and column; it stops at the first error and reports
// it as a code with the line and column where it stopped.
#ifndef QEL_XML_XMLPARSER_H
#define QEL_XML_XMLPARSER_H

#include <cstddef>
#include <iosfwd>

#include "core/apEncodingDescriptor.h"
#include "core/apString.h"
#include "xml/xmlParseError.h"
#include "xml/xmlTextCache.h"

class apPath;
class xmlDocument;
class xmlEntity;
class xmlNode;

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
    // The stream's remaining bytes decoded, and their encoding.
    bool read_text(std::istream& in, apString* text, apEncodingDescriptor* encoding);
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

protected:
    void fail(unsigned int code);

private:
    using codepoint = apString::codepoint;

    // Where the most recent search for a terminator left off, so that no
    // stretch of text is searched twice for the same terminator.
    struct SearchMemo {
        size_t from = 0;
        size_t found = 0; // source length when absent from `from` on
        bool valid = false;
    };

    xmlNode* read_node();
    xmlNode* read_element();
    void read_end_tag();
    xmlNode* read_reference();
    xmlNode* read_character_data(size_t start);
    xmlNode* read_comment();
    xmlNode* read_cdata_section();
    xmlNode* read_processing_instruction();
    xmlNode* read_document_type();
    xmlNode* read_entity_declaration();
    bool read_external_ids(bool is_public, apString& public_id, apString& system_id);

    // The text from `from` up to `to`, shared when it was met before. Like
    // the two readers below, the answer holds until the next of them.
    const apString& piece(size_t from, size_t to);
    const apString& read_name();
    const apString& read_qualified_name();
    // Moves over a qualified name; false (and a syntax error) for a ":"
    // without a name after it.
    bool skip_qualified_name();
    const apString& read_quoted_value();
    apString read_up_to(const char* terminator, SearchMemo& memo);
    apString replace_references(const apString& value) const;
    void skip_white_space();
    void advance();
    void advance(int count);
    // As `count` calls of advance(), in one pass.
    void advance_over(size_t count);
    // Advances over the characters from the position on that `accept` takes.
    template <class Accept>
    void advance_while(Accept accept);

    codepoint current() const;
    codepoint peek(size_t ahead) const;
    bool looking_at(const char* ascii) const;

    // Every level of nesting passes through these two, so a limit on depth
    // belongs here.
    bool descend();
    void ascend();
    // Weighs a reference bound to `entity` against the document's limits.
    bool admit_reference(const xmlEntity* entity);

    unsigned int at_end_;
    apString source_;
    apString::iterator position_;
    unsigned int error_;
    int line_;
    int column_;
    xmlDocument* target_document_;
    // Where the name of the end tag read last stands; length 0 while none.
    size_t end_tag_start_;
    size_t end_tag_length_;
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
