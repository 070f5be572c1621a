#include "xml/xmlParser.h"

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
#include "xml/xmlProcessingInstruction.h"
#include "xml/xmlReference.h"
#include "xml/xmlSharedText.h"
#include "xml/xmlText.h"

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

} // namespace

xmlParser::xmlParser()
    : at_end_(0), error_(NoError), line_(1), column_(1), target_document_(nullptr), skip_space_(1),
      expanded_size_(0), nested_depth_(0), base_depth_(0)
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
    skip_space_ = 1;
    position_ = source_.begin();
    // An empty text is at its end from the start.
    at_end_ = source_.is_empty() ? 1 : 0;
    comment_end_ = cdata_end_ = pi_end_ = subset_end_ = SearchMemo();
}

void xmlParser::fail(unsigned int code)
{
    if (error_ == NoError)
        error_ = code;
}

bool xmlParser::parse(xmlNode* target, const apString& text)
{
    source_ = text;
    cache_.prepare(source_.length());
    reset();
    if (target == nullptr) {
        fail(ReadError);
        return false;
    }
    target_document_ = target->owner_document() ? target->owner_document() : static_cast<xmlDocument*>(target);
    if (target->is_read_only() && target->node_type() != DOCUMENT_TYPE_NODE) {
        fail(ReadOnlyTarget);
        return false;
    }
    base_depth_ = target_document_->parse_depth_;
    nested_depth_ = 0;
    expanded_size_ = text.length();
    if (base_depth_ == 0) {
        // The outermost parse sets the budget for every nested one.
        target_document_->expansion_ = 0;
        const unsigned long long scaled = expanded_size_ * xml_expansion_factor;
        target_document_->expansion_budget_ = scaled > xml_min_expansion_budget ? scaled : xml_min_expansion_budget;
    }
    while (xmlNode* node = read_node()) {
        if (target->node_type() == DOCUMENT_TYPE_NODE && node->node_type() == ENTITY_NODE) {
            xmlDocumentType* doctype = static_cast<xmlDocumentType*>(target);
            doctype->set_read_only(false);
            doctype->entities()->set_named_item(node);
            doctype->set_read_only(true);
        } else if (node->node_type() != DOCUMENT_TYPE_NODE) {
            if (!target->can_have_child(node->node_type())) {
                fail(ChildNotAllowed);
                return false;
            }
            target->append_child(node);
        }
    }
    return error_ == NoError;
}

// ---- moving through the text

apString::codepoint xmlParser::current() const
{
    return peek(0);
}

apString::codepoint xmlParser::peek(size_t ahead) const
{
    const size_t i = position_.index() + ahead;
    return i < source_.length() ? source_[i] : 0;
}

bool xmlParser::looking_at(const char* ascii) const
{
    const size_t at = position_.index();
    for (size_t k = 0; ascii[k] != 0; ++k)
        if (at + k >= source_.length() || source_[at + k] != static_cast<unsigned char>(ascii[k]))
            return false;
    return true;
}

void xmlParser::advance()
{
    if (at_end_)
        return;
    if (current() == '\n') {
        ++line_;
        column_ = 0;
    }
    ++position_;
    ++column_;
    if (position_.index() >= source_.length())
        at_end_ = 1;
}

void xmlParser::advance(int count)
{
    for (int k = 0; k < count; ++k)
        advance();
}

void xmlParser::advance_over(size_t count)
{
    const size_t from = position_.index();
    const size_t length = source_.length();
    if (at_end_ || count == 0)
        return;
    if (count > length - from)
        count = length - from;
    // As `count` calls of advance(): a line feed starts a new line whose
    // column counts the characters after it.
    const codepoint* units = source_.data();
    size_t last_feed = count;
    int feeds = 0;
    for (size_t k = 0; k < count; ++k) {
        if (units[from + k] == '\n') {
            ++feeds;
            last_feed = k;
        }
    }
    if (feeds) {
        line_ += feeds;
        column_ = 1 + static_cast<int>(count - 1 - last_feed);
    } else {
        column_ += static_cast<int>(count);
    }
    position_ = position_ + static_cast<ptrdiff_t>(count);
    if (position_.index() >= length)
        at_end_ = 1;
}

template <class Accept>
void xmlParser::advance_while(Accept accept)
{
    if (at_end_)
        return;
    // advance_over() of the run, with its line feeds counted on the way.
    const size_t from = position_.index();
    const size_t length = source_.length();
    const codepoint* units = source_.data();
    size_t k = from;
    size_t last_feed = length;
    int feeds = 0;
    while (k < length) {
        const codepoint c = units[k];
        if (!accept(c))
            break;
        if (c == '\n') {
            ++feeds;
            last_feed = k;
        }
        ++k;
    }
    if (feeds) {
        line_ += feeds;
        column_ = 1 + static_cast<int>(k - 1 - last_feed);
    } else {
        column_ += static_cast<int>(k - from);
    }
    position_ = position_ + static_cast<ptrdiff_t>(k - from);
    if (k >= length)
        at_end_ = 1;
}

void xmlParser::skip_white_space()
{
    advance_while([](codepoint c) { return is_white_space(c); });
}

bool xmlParser::descend()
{
    // Refused before the level is entered, so the stack never holds more
    // than xml_max_depth levels of the recursion.
    if (target_document_->parse_depth_ >= xml_max_depth) {
        fail(NestingTooDeep);
        return false;
    }
    const int depth = ++target_document_->parse_depth_;
    if (depth - base_depth_ > nested_depth_)
        nested_depth_ = depth - base_depth_;
    return true;
}

void xmlParser::ascend()
{
    --target_document_->parse_depth_;
}

bool xmlParser::admit_reference(const xmlEntity* entity)
{
    xmlDocument* document = target_document_;
    document->expansion_ += entity->expanded_size();
    if (document->expansion_ > document->expansion_budget_) {
        fail(ExpansionTooLarge);
        return false;
    }
    // The reference is a level of its own, and its entity's content hangs
    // below it wherever the tree is walked.
    const int depth = document->parse_depth_ + 1 + entity->nested_depth();
    if (depth > xml_max_depth) {
        fail(NestingTooDeep);
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
    return cache_.get(source_.data() + from, to - from);
}

const apString& xmlParser::read_name()
{
    const size_t start = position_.index();
    advance_while([](codepoint c) { return is_name_char(c); });
    return piece(start, position_.index());
}

// A name, or a name, ":" and a name: one stretch of the text either way.
bool xmlParser::skip_qualified_name()
{
    advance_while([](codepoint c) { return is_name_char(c); });
    if (!at_end_ && current() == ':') {
        advance();
        const size_t local = position_.index();
        advance_while([](codepoint c) { return is_name_char(c); });
        if (position_.index() == local) {
            fail(SyntaxError);
            return false;
        }
    }
    return true;
}

const apString& xmlParser::read_qualified_name()
{
    static const apString none;
    const size_t start = position_.index();
    if (!skip_qualified_name())
        return none;
    return piece(start, position_.index());
}

const apString& xmlParser::read_quoted_value()
{
    static const apString none;
    const codepoint quote = current();
    advance();
    const apString::iterator start = position_;
    if (!at_end_)
        advance_over(source_.find_char(quote, position_.index()) - position_.index());
    if (at_end_) {
        fail(UnterminatedLiteral);
        return none;
    }
    const apString& value = piece(start.index(), position_.index());
    advance();
    return value;
}

apString xmlParser::read_up_to(const char* terminator, SearchMemo& memo)
{
    const size_t from = position_.index();
    const size_t length = source_.length();
    // A search that found nothing, or found something at or after `from`,
    // answers every later search from a position up to that point.
    if (!memo.valid || from < memo.from || from > memo.found) {
        const apString needle(terminator);
        memo.from = from;
        memo.found = source_.find(needle, position_, source_.end()).index();
        memo.valid = true;
    }
    if (memo.found >= length)
        return apString();
    apString text = source_.sub(position_, source_.at(memo.found));
    size_t terminator_length = 0;
    while (terminator[terminator_length] != 0)
        ++terminator_length;
    advance_over(memo.found + terminator_length - from);
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
        apString replacement;
        apString reference;
        if (semicolon - amp <= 5) {
            reference = value.sub(value.at(amp), value.at(semicolon + 1));
            replacement = resolve_reference_text(reference);
        }
        if (!replacement.is_null() && is_valid_reference(reference)) {
            out.insert(out.end(), value.data() + copied, value.data() + amp);
            out.insert(out.end(), replacement.data(), replacement.data() + replacement.length());
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
    const size_t start = position_.index();
    if (skip_space_)
        skip_white_space();
    skip_space_ = 1;
    if (at_end_)
        return nullptr;
    const codepoint c = current();
    if (c == '<') {
        const codepoint next = peek(1);
        if (is_letter(next))
            return read_element();
        if (next == '/') {
            read_end_tag();
            return nullptr;
        }
        if (next == '?')
            return read_processing_instruction();
        if (next == '!') {
            if (looking_at("<!--"))
                return read_comment();
            if (looking_at("<![CDATA["))
                return read_cdata_section();
            if (looking_at("<!ENTITY"))
                return read_entity_declaration();
            if (looking_at("<!DOCTYPE"))
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
    advance();
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
    while (!at_end_ && is_letter(current())) {
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
        if (value.find_char('&') == value.length())
            attribute->set_node_value(value);
        else
            attribute->set_node_value(replace_references(value));
        element->set_attribute_node(attribute);
        skip_white_space();
    }
    bool empty = false;
    if (current() == '/') {
        advance();
        empty = true;
    }
    if (current() != '>') {
        fail(SyntaxError);
        return nullptr;
    }
    advance();
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
        element->append_child(child);
    }
    ascend();
    if (error_)
        return nullptr;
    if (end_tag_length_ == 0) {
        fail(MissingEndTag);
        return nullptr;
    }
    if (end_tag_length_ != name.length() ||
        std::memcmp(source_.data() + end_tag_start_, name.data(), end_tag_length_ * sizeof(codepoint)) != 0) {
        fail(EndTagMismatch);
        return nullptr;
    }
    return element;
}

void xmlParser::read_end_tag()
{
    advance(2);
    // Only compared with the start tag's name: never made a string.
    end_tag_start_ = position_.index();
    if (!skip_qualified_name())
        return;
    end_tag_length_ = position_.index() - end_tag_start_;
    if (end_tag_length_ == 0) {
        fail(SyntaxError);
        return;
    }
    skip_white_space();
    if (current() != '>') {
        fail(SyntaxError);
        return;
    }
    advance();
}

xmlNode* xmlParser::read_reference()
{
    advance();
    // The name, with its "#" for a character reference, is one stretch of
    // the text.
    const size_t start = position_.index();
    if (current() == '#') {
        advance();
        // One to four digits and the ";"; the column points at the first
        // character that breaks that.
        for (size_t k = 0; k <= 4; ++k) {
            const codepoint c = peek(k);
            const bool ok = k == 0 ? xml_is_digit(c) : k == 4 ? c == ';' : (c == ';' || xml_is_digit(c));
            if (!ok) {
                column_ += static_cast<int>(k);
                fail(SyntaxError);
                return nullptr;
            }
            if (c == ';')
                break;
        }
    }
    advance_while([](codepoint c) { return is_name_char(c); });
    const apString& name = piece(start, position_.index()); // used at once
    if (name.is_empty() || current() != ';') {
        fail(SyntaxError);
        return nullptr;
    }
    advance();
    xmlEntityReference* reference = target_document_->create_entity_reference(name);
    if (reference->entity() != nullptr && !admit_reference(reference->entity()))
        return nullptr;
    return reference;
}

xmlNode* xmlParser::read_character_data(size_t start)
{
    advance_while([](codepoint c) { return c != '<' && c != '&' && c != '>'; });
    if (!at_end_ && current() == '>') {
        fail(SyntaxError);
        return nullptr;
    }
    return target_document_->create_text_node(piece(start, position_.index()));
}

xmlNode* xmlParser::read_comment()
{
    advance(4);
    return target_document_->create_comment(read_up_to("-->", comment_end_));
}

xmlNode* xmlParser::read_cdata_section()
{
    advance(9);
    return target_document_->create_cdata_section(read_up_to("]]>", cdata_end_));
}

xmlNode* xmlParser::read_processing_instruction()
{
    advance(2);
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
    advance(9);
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

    if (current() == '[') {
        advance();
        const int subset_line = line_;
        const int subset_column = column_;
        const apString subset = read_up_to("]", subset_end_);
        if (subset.is_null()) {
            fail(SyntaxError);
            return nullptr;
        }
        if (!descend())
            return nullptr;
        xmlParser inner;
        const bool parsed = inner.parse(doctype, subset);
        ascend();
        if (!parsed) {
            error_ = inner.error_;
            column_ = inner.line_ == 1 ? subset_column - 1 + inner.column_ : inner.column_;
            line_ = subset_line - 1 + inner.line_;
            return nullptr;
        }
    }
    if (current() != '>') {
        fail(SyntaxError);
        return nullptr;
    }
    advance();
    return doctype;
}

xmlNode* xmlParser::read_entity_declaration()
{
    advance(8);
    skip_white_space();
    unsigned int kind = InternalEntity;
    if (current() == '%') {
        advance();
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
    if (current() != '>') {
        fail(SyntaxError);
        return nullptr;
    }
    advance();

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
