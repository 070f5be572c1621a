#include "xml/xmlParser.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "xml/xmlAttr.h"
#include "xml/xmlCDATASection.h"
#include "xml/xmlCharClass.h"
#include "xml/xmlComment.h"
#include "xml/xmlDocument.h"
#include "xml/xmlDocumentType.h"
#include "xml/xmlElement.h"
#include "xml/xmlEntity.h"
#include "xml/xmlEntityReference.h"
#include "xml/xmlParseLimits.h"
#include "xml/xmlProcessingInstruction.h"
#include "xml/xmlReference.h"
#include "xml/xmlSharedText.h"
#include "xml/xmlText.h"
#include "xml/xmlUtf8.h"

namespace {

bool is_white_space(apString::codepoint c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool is_name_char_slow(apString::codepoint c)
{
    return xml_is_alnum(c) || c == '-' || c == '_' || c == '.';
}

// The classes' answers for ASCII, asked once when the first parser is made:
// names are read a character at a time.
bool ascii_name_chars[128];
bool ascii_letters[128];
bool ascii_classes_filled = false;

void fill_ascii_classes()
{
    if (ascii_classes_filled)
        return;
    for (apString::codepoint c = 0; c < 128; ++c) {
        ascii_name_chars[c] = is_name_char_slow(c);
        ascii_letters[c] = xml_is_letter(c);
    }
    ascii_classes_filled = true;
}

inline bool is_name_char(apString::codepoint c)
{
    return c < 128 ? ascii_name_chars[c] : is_name_char_slow(c);
}

inline bool is_letter(apString::codepoint c)
{
    return c < 128 ? ascii_letters[c] : xml_is_letter(c);
}

bool is_quote(apString::codepoint c)
{
    return c == '"' || c == '\'';
}

// The bytes that end character data.
inline bool ends_text(unsigned char b)
{
    return b == '<' || b == '&' || b == '>';
}

// The first byte in [p, to) that ends character data, or `to`. Texts run to
// tens of bytes, so eight are tested at once: a byte equal to one of the
// three leaves a zero byte in that XOR, and (v - 1s) & ~v has the high bit
// of some byte set exactly when v has a zero byte.
const unsigned char* find_text_end(const unsigned char* p, const unsigned char* const to)
{
    const std::uint64_t ones = 0x0101010101010101ull;
    const std::uint64_t highs = ones * 0x80;
    for (; to - p >= 8; p += 8) {
        std::uint64_t bytes;
        std::memcpy(&bytes, p, 8);
        const std::uint64_t lt = bytes ^ (ones * '<');
        const std::uint64_t amp = bytes ^ (ones * '&');
        const std::uint64_t gt = bytes ^ (ones * '>');
        if ((((lt - ones) & ~lt) | ((amp - ones) & ~amp) | ((gt - ones) & ~gt)) & highs)
            break;
    }
    while (p != to && !ends_text(*p))
        ++p;
    return p;
}

} // namespace

// A window this large keeps the memory a large input takes while loading
// small beside what its nodes take, and costs few stream reads.
const size_t kReadWindow = 64 * 1024;

xmlParser::xmlParser()
    : window_(kReadWindow), source_(nullptr), base_(0), end_(0), limit_(0), position_(0), error_(NoError), line_(1),
      column_(1), target_document_(nullptr), limits_(nullptr), skip_space_(1), expanded_size_(0), nested_depth_(0),
      base_depth_(0)
{
    fill_ascii_classes();
    reset();
}

xmlParser::~xmlParser() = default;

void xmlParser::reset()
{
    line_ = 1;
    column_ = 1;
    error_ = NoError;
    end_tag_start_ = end_tag_length_ = 0;
    kept_tag_start_ = static_cast<size_t>(-1);
    skip_space_ = 1;
    source_ = text_.window();
    base_ = text_.base();
    position_ = 0;
    set_end(text_.size());
    comment_end_ = cdata_end_ = pi_end_ = subset_end_ = SearchMemo();
}

void xmlParser::fail_at(unsigned int code, size_t offset)
{
    if (error_ != NoError)
        return;
    error_ = code;
    text_.position(offset, &line_, &column_);
}

void xmlParser::set_end(size_t end)
{
    end_ = end;
    limit_ = end_ < text_.window_end() ? end_ : text_.window_end();
}

bool xmlParser::bring(size_t offset)
{
    const bool held = text_.extend(offset);
    source_ = text_.window();
    set_end(end_);
    return held;
}

size_t xmlParser::find_byte(size_t from, unsigned char byte)
{
    for (size_t next = from; have(next);) {
        const void* found = std::memchr(at(next), byte, limit_ - next);
        if (found != nullptr)
            return next + static_cast<size_t>(static_cast<const unsigned char*>(found) - at(next));
        next = limit_;
    }
    return end_;
}

bool xmlParser::parse(xmlNode* target, const apString& text)
{
    text_.assign(text);
    return parse_source(target);
}

bool xmlParser::parse_source(xmlNode* target)
{
    cache_.prepare(text_.size());
    reset();
    if (target == nullptr) {
        fail(ReadError);
        text_.clear();
        return false;
    }
    target_document_ = target->owner_document() ? target->owner_document() : static_cast<xmlDocument*>(target);
    limits_ = &target_document_->parse_limits();
    if (target->is_read_only() && target->node_type() != DOCUMENT_TYPE_NODE) {
        fail(ReadOnlyTarget);
        text_.clear();
        return false;
    }
    base_depth_ = limits_->depth();
    nested_depth_ = 0;
    expanded_size_ = text_.characters();
    limits_->begin_parse(expanded_size_);
    read_into(target);
    if (text_.reread_failed())
        fail(ReadError);
    // Nothing of the text is needed once its nodes are made.
    text_.clear();
    source_ = text_.window();
    base_ = position_ = 0;
    set_end(0);
    return error_ == NoError;
}

void xmlParser::read_into(xmlNode* target)
{
    while (xmlNode* node = read_node()) {
        if (target->node_type() == DOCUMENT_TYPE_NODE && node->node_type() == ENTITY_NODE) {
            xmlDocumentType* doctype = static_cast<xmlDocumentType*>(target);
            doctype->set_read_only(false);
            doctype->entities()->set_named_item(node);
            doctype->set_read_only(true);
        } else if (node->node_type() != DOCUMENT_TYPE_NODE) {
            if (!target->can_have_child(node->node_type())) {
                fail(ChildNotAllowed);
                return;
            }
            target->append_child(node);
        }
    }
}

// ---- moving through the text

apString::codepoint xmlParser::char_beyond(size_t offset)
{
    if (!have(offset))
        return 0;
    const unsigned char lead = *at(offset);
    if (lead < 0x80)
        return lead;
    const size_t length = xmlutf8::sequence_length(lead);
    have(offset + length - 1); // the text holds whole characters
    return xmlutf8::decode(at(offset), length);
}

void xmlParser::advance()
{
    if (have(position_))
        position_ += xmlutf8::sequence_length(*at(position_));
}

template <class Accept>
void xmlParser::advance_while(Accept accept)
{
    size_t k = position_;
    while (have(k)) {
        // ASCII a window's stretch at a time.
        const unsigned char* const from = at(k);
        const unsigned char* const to = at(limit_);
        const unsigned char* p = from;
        while (p != to && *p < 0x80 && accept(static_cast<codepoint>(*p)))
            ++p;
        k += static_cast<size_t>(p - from);
        if (p == to)
            continue;
        if (*p < 0x80)
            break;
        const size_t length = xmlutf8::sequence_length(*p);
        have(k + length - 1);
        if (!accept(xmlutf8::decode(at(k), length)))
            break;
        k += length;
    }
    position_ = k;
}

void xmlParser::skip_white_space()
{
    // Mostly a few blanks, well inside the window: the position is kept in a
    // local, which the byte loads cannot alias.
    size_t k = position_;
    for (;;) {
        if (k < limit_) {
            const unsigned char* const from = at(k);
            const unsigned char* const to = at(limit_);
            const unsigned char* p = from;
            while (p != to && is_white_space(*p))
                ++p;
            k += static_cast<size_t>(p - from);
            if (p != to)
                break;
        }
        if (k >= end_ || !have(k))
            break;
    }
    position_ = k;
}

bool xmlParser::descend()
{
    if (!limits_->enter()) {
        fail(NestingTooDeep);
        return false;
    }
    if (limits_->depth() - base_depth_ > nested_depth_)
        nested_depth_ = limits_->depth() - base_depth_;
    return true;
}

void xmlParser::ascend()
{
    limits_->leave();
}

bool xmlParser::admit_reference(const xmlEntity* entity)
{
    int depth = 0;
    const xmlParseError refused = limits_->admit_reference(entity->expanded_size(), entity->nested_depth(), &depth);
    if (refused != NoError) {
        fail(refused);
        return false;
    }
    if (depth - base_depth_ > nested_depth_)
        nested_depth_ = depth - base_depth_;
    expanded_size_ += entity->expanded_size();
    return true;
}

// ---- pieces of text

const apString& xmlParser::piece(size_t from, size_t to)
{
    return cache_.get(at(from), to - from);
}

const apString& xmlParser::read_name()
{
    const size_t start = position_;
    advance_while([](codepoint c) { return is_name_char(c); });
    return piece(start, position_);
}

// A name, or a name, ":" and a name: one stretch of the text either way.
bool xmlParser::skip_qualified_name()
{
    advance_while([](codepoint c) { return is_name_char(c); });
    if (skip(":")) {
        const size_t local = position_;
        advance_while([](codepoint c) { return is_name_char(c); });
        if (position_ == local) {
            fail(SyntaxError);
            return false;
        }
    }
    return true;
}

const apString& xmlParser::read_qualified_name()
{
    static const apString none;
    const size_t start = position_;
    if (!skip_qualified_name())
        return none;
    return piece(start, position_);
}

const apString& xmlParser::read_quoted_value()
{
    static const apString none;
    const unsigned char quote = current();
    advance();
    const size_t start = position_;
    const size_t found = find_byte(position_, quote);
    if (found == end_) {
        position_ = end_;
        fail(UnterminatedLiteral);
        return none;
    }
    position_ = found;
    const apString& value = piece(start, position_);
    advance();
    return value;
}

size_t xmlParser::find(const char* terminator, SearchMemo& memo)
{
    const size_t from = position_;
    // A search that found nothing, or found something at or after `from`,
    // answers every later search from a position up to that point.
    if (memo.valid && from >= memo.from && from <= memo.found)
        return memo.found;
    const size_t length = std::strlen(terminator);
    size_t found = end_;
    for (size_t first = from; first + length <= end_; ++first) {
        first = find_byte(first, static_cast<unsigned char>(terminator[0]));
        if (first + length > end_)
            break;
        if (have(first + length - 1) && std::memcmp(at(first), terminator, length) == 0) {
            found = first;
            break;
        }
    }
    memo.from = from;
    memo.found = found;
    memo.valid = true;
    return found;
}

apString xmlParser::read_up_to(const char* terminator, SearchMemo& memo)
{
    const size_t found = find(terminator, memo);
    if (found == end_)
        return apString();
    apString text = xmlutf8::to_string(at(position_), found - position_);
    position_ = found + std::strlen(terminator);
    return text;
}

apString xmlParser::replace_references(const apString& value) const
{
    const size_t length = value.length();
    size_t amp = value.find_char('&');
    if (amp == length)
        return value;
    std::vector<codepoint> out;
    out.reserve(length);
    size_t copied = 0;
    size_t semicolon = 0; // the first ";" at or after the current "&"
    while (amp < length) {
        if (semicolon <= amp)
            semicolon = value.find_char(';', amp);
        if (semicolon == length)
            break;
        // No valid reference is longer than "&quot;" or "&#999;".
        codepoint replacement = 0;
        if (semicolon - amp <= 5 &&
            xml_reference_character(value.data() + amp + 1, semicolon - amp - 1, &replacement)) {
            out.insert(out.end(), value.data() + copied, value.data() + amp);
            if (replacement != 0)
                out.push_back(replacement);
            copied = semicolon + 1;
            amp = value.find_char('&', copied);
        } else {
            amp = value.find_char('&', amp + 1);
        }
    }
    out.insert(out.end(), value.data() + copied, value.data() + length);
    if (out.empty())
        return xml_empty_text();
    return apString(out.data(), out.size(), nullptr);
}

// ---- nodes

xmlNode* xmlParser::read_node()
{
    // Nothing before a node is read again: the window may move on.
    if (position_ >= text_.release_from() && position_ <= end_) {
        keep_end_tag();
        text_.release_before(position_);
        source_ = text_.window();
        base_ = text_.base();
        set_end(end_);
    }
    const size_t start = position_;
    if (skip_space_)
        skip_white_space();
    skip_space_ = 1;
    if (at_end())
        return nullptr;
    const unsigned char c = current();
    if (c == '<') {
        if (is_letter(char_at(position_ + 1)))
            return read_element();
        if (skip("</")) {
            read_end_tag();
            return nullptr;
        }
        if (skip("<?"))
            return read_processing_instruction();
        if (peek(1) == '!') {
            if (skip("<!--"))
                return read_comment();
            if (skip("<![CDATA["))
                return read_cdata_section();
            if (skip("<!ENTITY"))
                return read_entity_declaration();
            if (skip("<!DOCTYPE"))
                return read_document_type();
            fail(BadDeclaration);
            return nullptr;
        }
        return nullptr;
    }
    if (c == '&') {
        xmlNode* reference = read_reference();
        skip_space_ = 0;
        return reference;
    }
    return read_character_data(start);
}

xmlNode* xmlParser::read_element()
{
    end_tag_start_ = end_tag_length_ = 0;
    skip("<");
    const apString& read = read_qualified_name(); // until the next read
    if (error_)
        return nullptr;
    if (read.is_empty()) {
        fail(SyntaxError);
        return nullptr;
    }
    xmlElement* element = target_document_->create_element(read);
    const apString& name = element->node_name();

    skip_white_space();
    while (!at_end() && is_letter(char_at(position_))) {
        // The attribute is made at once, so that its name, like its value
        // below, goes from the text cache into the node without a copy of
        // its own: that copy would cost two atomic operations.
        const apString& attribute_name = read_qualified_name();
        if (error_)
            return nullptr;
        if (current() != '=') {
            fail(SyntaxError);
            return nullptr;
        }
        xmlAttr* attribute = target_document_->create_attribute(attribute_name);
        advance();
        if (!is_quote(current())) {
            fail(SyntaxError);
            return nullptr;
        }
        const apString& value = read_quoted_value();
        if (error_)
            return nullptr;
        // What set_node_value does for a new attribute, without its checks.
        const bool plain = value.find_char('&') == value.length();
        attribute->append_new_child(target_document_->create_text_node(plain ? value : replace_references(value)));
        element->set_attribute_node(attribute);
        skip_white_space();
    }
    const bool empty = skip("/");
    if (!skip(">")) {
        fail(SyntaxError);
        return nullptr;
    }
    if (empty)
        return element;
    // The child list next to the element in memory, not after its first
    // child's whole subtree: a walk over the tree then reads on.
    element->children_to_change();

    if (!descend())
        return nullptr;
    while (xmlNode* child = read_node()) {
        if (!element->can_have_child(child->node_type())) {
            fail(ChildNotAllowed);
            break;
        }
        element->append_new_child(child);
    }
    ascend();
    if (error_)
        return nullptr;
    if (end_tag_length_ == 0) {
        fail(MissingEndTag);
        return nullptr;
    }
    const unsigned char* const tag = end_tag_start_ >= base_
                                         ? at(end_tag_start_)
                                         : reinterpret_cast<const unsigned char*>(kept_tag_.data());
    if (!xmlutf8::spells(name, tag, end_tag_length_)) {
        fail(EndTagMismatch);
        return nullptr;
    }
    return element;
}

void xmlParser::keep_end_tag()
{
    if (end_tag_length_ != 0 && end_tag_start_ >= base_ && kept_tag_start_ != end_tag_start_) {
        kept_tag_.assign(reinterpret_cast<const char*>(at(end_tag_start_)), end_tag_length_);
        kept_tag_start_ = end_tag_start_;
    }
}

void xmlParser::read_end_tag()
{
    // Only compared with the start tag's name: never made a string.
    end_tag_start_ = position_;
    if (!skip_qualified_name())
        return;
    end_tag_length_ = position_ - end_tag_start_;
    if (end_tag_length_ == 0) {
        fail(SyntaxError);
        return;
    }
    skip_white_space();
    if (!skip(">"))
        fail(SyntaxError);
}

xmlNode* xmlParser::read_reference()
{
    skip("&");
    // The name, with its "#" for a character reference, is one stretch of
    // the text.
    const size_t start = position_;
    if (skip("#")) {
        // One to four digits and the ";"; the error points at the first
        // character that breaks that.
        size_t next = position_;
        for (size_t k = 0; k <= 4; ++k) {
            const codepoint c = char_at(next);
            const bool ok = k == 0 ? xml_is_digit(c) : k == 4 ? c == ';' : (c == ';' || xml_is_digit(c));
            if (!ok) {
                fail_at(SyntaxError, next);
                return nullptr;
            }
            if (c == ';')
                break;
            next += xmlutf8::sequence_length(*at(next));
        }
    }
    advance_while([](codepoint c) { return is_name_char(c); });
    const apString& name = piece(start, position_); // used at once
    if (name.is_empty() || !skip(";")) {
        fail(SyntaxError);
        return nullptr;
    }
    xmlEntityReference* reference = target_document_->create_entity_reference(name);
    if (reference->entity() != nullptr && !admit_reference(reference->entity()))
        return nullptr;
    return reference;
}

xmlNode* xmlParser::read_character_data(size_t start)
{
    // No byte of a character beyond ASCII ends the text. Searched a window
    // at a time.
    while (have(position_)) {
        const unsigned char* const from = at(position_);
        const unsigned char* const to = at(limit_);
        const unsigned char* const p = find_text_end(from, to);
        position_ += static_cast<size_t>(p - from);
        if (p != to)
            break;
    }
    if (current() == '>') {
        fail(SyntaxError);
        return nullptr;
    }
    // A long text is rarely met again: made for the node alone, it moves in.
    if (position_ - start > xmlTextCache::longest)
        return target_document_->create_text_node(xmlutf8::to_string(at(start), position_ - start));
    return target_document_->create_text_node(piece(start, position_));
}

xmlNode* xmlParser::read_comment()
{
    return target_document_->create_comment(read_up_to("-->", comment_end_));
}

xmlNode* xmlParser::read_cdata_section()
{
    return target_document_->create_cdata_section(read_up_to("]]>", cdata_end_));
}

xmlNode* xmlParser::read_processing_instruction()
{
    const apString target = read_qualified_name();
    if (error_)
        return nullptr;
    if (target.is_empty() || !is_white_space(current())) {
        fail(SyntaxError);
        return nullptr;
    }
    skip_white_space();
    return target_document_->create_processing_instruction(target, read_up_to("?>", pi_end_));
}

// After PUBLIC a quoted public identifier must follow; after either
// keyword a quoted system identifier may.
bool xmlParser::read_external_ids(bool is_public, apString& public_id, apString& system_id)
{
    if (is_public) {
        if (!is_quote(current())) {
            fail(SyntaxError);
            return false;
        }
        public_id = read_quoted_value();
        if (error_)
            return false;
        skip_white_space();
    }
    if (is_quote(current())) {
        system_id = read_quoted_value();
        if (error_)
            return false;
        skip_white_space();
    }
    return true;
}

xmlNode* xmlParser::read_document_type()
{
    skip_white_space();
    const apString name = read_qualified_name();
    if (error_)
        return nullptr;
    if (name.is_empty()) {
        fail(SyntaxError);
        return nullptr;
    }
    skip_white_space();
    const apString keyword = read_name();
    const bool is_public = keyword == apString("PUBLIC");
    if (!is_public && keyword != apString("SYSTEM")) {
        fail(SyntaxError);
        return nullptr;
    }
    skip_white_space();
    apString public_id = xml_empty_text();
    apString system_id = xml_empty_text();
    if (!read_external_ids(is_public, public_id, system_id))
        return nullptr;
    xmlDocumentType* doctype = target_document_->create_document_type(name, public_id, system_id);

    if (skip("[")) {
        const size_t subset = position_;
        const size_t subset_end = find("]", subset_end_);
        if (subset_end == end_) {
            fail(SyntaxError);
            return nullptr;
        }
        position_ = subset_end + 1;
        if (!descend())
            return nullptr;
        const bool parsed = read_internal_subset(doctype, subset, subset_end);
        ascend();
        if (!parsed)
            return nullptr;
    }
    if (!skip(">")) {
        fail(SyntaxError);
        return nullptr;
    }
    return doctype;
}

bool xmlParser::read_internal_subset(xmlDocumentType* doctype, size_t from, size_t to)
{
    // The subset is read as a text of its own, by the same parser over the
    // same bytes, so that an error in it is placed in the whole text.
    const size_t after = position_;
    const size_t outer_end = end_;
    const size_t tag_start = end_tag_start_;
    const size_t tag_length = end_tag_length_;
    const unsigned long long expanded_size = expanded_size_;
    const int nested_depth = nested_depth_;
    const int base_depth = base_depth_;
    const SearchMemo memos[4] = {comment_end_, cdata_end_, pi_end_, subset_end_};

    set_end(to);
    position_ = from;
    skip_space_ = 1;
    end_tag_start_ = end_tag_length_ = 0;
    base_depth_ = limits_->depth();
    nested_depth_ = 0;
    comment_end_ = cdata_end_ = pi_end_ = subset_end_ = SearchMemo();
    read_into(doctype);

    set_end(outer_end);
    position_ = after;
    skip_space_ = 1;
    end_tag_start_ = tag_start;
    end_tag_length_ = tag_length;
    expanded_size_ = expanded_size;
    nested_depth_ = nested_depth;
    base_depth_ = base_depth;
    comment_end_ = memos[0];
    cdata_end_ = memos[1];
    pi_end_ = memos[2];
    subset_end_ = memos[3];
    return error_ == NoError;
}

xmlNode* xmlParser::read_entity_declaration()
{
    skip_white_space();
    unsigned int kind = InternalEntity;
    if (skip("%")) {
        kind = ParameterEntity;
        skip_white_space();
    }
    const apString name = read_name();
    if (name.is_empty()) {
        fail(SyntaxError);
        return nullptr;
    }
    skip_white_space();

    apString value;
    apString public_id = xml_empty_text();
    apString system_id = xml_empty_text();
    apString notation = xml_empty_text();
    if (is_quote(current())) {
        value = read_quoted_value();
        if (error_)
            return nullptr;
    } else {
        const apString keyword = read_name();
        const bool is_public = keyword == apString("PUBLIC");
        if (!is_public && keyword != apString("SYSTEM")) {
            fail(SyntaxError);
            return nullptr;
        }
        kind = ExternalEntity;
        skip_white_space();
        if (!read_external_ids(is_public, public_id, system_id))
            return nullptr;
        if (current() != '>') {
            if (read_name() != apString("NDATA")) {
                fail(SyntaxError);
                return nullptr;
            }
            kind = UnparsedEntity;
            skip_white_space();
            notation = read_name();
            if (notation.is_empty()) {
                fail(SyntaxError);
                return nullptr;
            }
            skip_white_space();
        }
    }
    if (!skip(">")) {
        fail(SyntaxError);
        return nullptr;
    }

    if (!descend())
        return nullptr;
    xmlEntity* entity = kind == InternalEntity || kind == ParameterEntity
                            ? target_document_->create_entity(kind, name, value)
                            : target_document_->create_entity(kind, name, public_id, system_id, notation);
    ascend();
    if (entity->error_code() != NoError) {
        fail(entity->error_code());
        return nullptr;
    }
    return entity;
}
