#include "xml/xmlSerializer.h"

#include <cstring>
#include <memory>
#include <ostream>
#include <vector>

#include "core/unicode.h"
#include "xml/xmlAttr.h"
#include "xml/xmlCDATASection.h"
#include "xml/xmlComment.h"
#include "xml/xmlDocument.h"
#include "xml/xmlDocumentFragment.h"
#include "xml/xmlDocumentType.h"
#include "xml/xmlElement.h"
#include "xml/xmlEntity.h"
#include "xml/xmlEntityReference.h"
#include "xml/xmlNamedNodeMap.h"
#include "xml/xmlProcessingInstruction.h"
#include "xml/xmlReference.h"
#include "xml/xmlText.h"

namespace {

// ---- escaping ----

// No reference that is_valid_reference accepts is longer than "&quot;", so a
// longer stretch up to ";" is never looked up, which keeps escaping linear.
const size_t kLongestReference = 6;

const apString::codepoint kAmp[] = {'&', 'a', 'm', 'p', ';'};
const apString::codepoint kLt[] = {'&', 'l', 't', ';'};
const apString::codepoint kGt[] = {'&', 'g', 't', ';'};
const apString::codepoint kApos[] = {'&', 'a', 'p', 'o', 's', ';'};
const apString::codepoint kQuot[] = {'&', 'q', 'u', 'o', 't', ';'};

// One walk over the text that hands every output run to `emit`; the sizing
// pass and the copying pass share it. Escaping each "&" in turn and going on
// after it gives the same text as replacing and searching again from there.
template <class Emit>
void escape_walk(const apString& text, bool attribute, Emit&& emit)
{
    const apString::codepoint* units = text.data();
    const size_t n = text.length();
    size_t semicolon = 0; // the first ";" at or after the current "&", or n
    bool searched = false;
    size_t run = 0; // start of the pending unchanged run
    for (size_t p = 0; p < n;) {
        const apString::codepoint* replacement = nullptr;
        size_t replacement_length = 0;
        switch (units[p]) {
        case '&':
            if (!searched || semicolon < p) {
                semicolon = text.find_char(';', p);
                searched = true;
            }
            if (semicolon < n && semicolon - p + 1 <= kLongestReference &&
                is_valid_reference(text.sub(text.at(p), text.at(semicolon + 1)))) {
                p = semicolon + 1;
                continue;
            }
            replacement = kAmp;
            replacement_length = 5;
            break;
        case '<':
            replacement = kLt;
            replacement_length = 4;
            break;
        case '>':
            replacement = kGt;
            replacement_length = 4;
            break;
        case '\'':
            if (attribute) {
                replacement = kApos;
                replacement_length = 6;
            }
            break;
        case '"':
            if (attribute) {
                replacement = kQuot;
                replacement_length = 6;
            }
            break;
        default:
            break;
        }
        if (replacement) {
            emit(units + run, p - run);
            emit(replacement, replacement_length);
            run = p + 1;
        }
        ++p;
    }
    emit(units + run, n - run);
}

apString escape(const apString& text, bool attribute)
{
    if (text.is_null())
        return text;
    size_t total = 0;
    escape_walk(text, attribute, [&](const apString::codepoint*, size_t count) { total += count; });
    // Every replacement is longer than what it replaces.
    if (total == text.length())
        return text;
    apString::codepoint* block = apString::allocate(total);
    apString::codepoint* out = block;
    escape_walk(text, attribute, [&](const apString::codepoint* units, size_t count) {
        for (size_t i = 0; i < count; ++i)
            *out++ = units[i];
    });
    return apString::adopt(block);
}

// ---- the walk ----

int indentation_depth = 0;

// The markup pieces, made once and shared by every serialization.
struct Markup {
    apString lt{"<"};
    apString gt{">"};
    apString empty_end{"/>"};
    apString end_tag{"</"};
    apString blank{" "};
    apString equals_quote{"=\""};
    apString quote{"\""};
    apString blank_quote{" \""};
    apString line_feed{"\n"};
    apString cdata_start{"<![CDATA["};
    apString cdata_end{"]]>"};
    apString comment_start{"<!--"};
    apString comment_end{"-->"};
    apString comment_end_escaped{"--&gt;"};
    apString pi_start{"<?"};
    apString pi_end{"?>"};
    apString ampersand{"&"};
    apString semicolon{";"};
    apString doctype_start{"<!DOCTYPE "};
    apString public_keyword{"PUBLIC"};
    apString system_keyword{"SYSTEM"};
    apString subset_start{" ["};
    apString subset_entry{"\n  "};
    apString subset_end{"\n]"};
    apString entity_start{"<!ENTITY "};
    apString parameter_mark{"% "};
    apString ndata{" NDATA "};
};

const Markup& markup()
{
    static const Markup m;
    return m;
}

bool continues_line(const xmlNode* node)
{
    return node->node_type() == TEXT_NODE || node->node_type() == ENTITY_REFERENCE_NODE;
}

// A node whose children are being written: either its child list, or for a
// document type the entities of its map.
struct Frame {
    const xmlNode* node;
    const xmlNode* next;     // the next child to write, or null
    const xmlNode* previous; // the child written last, or null
    const xmlNamedNodeMap* map;
    int map_index;
    bool line_broken;
};

// Collects the text of a walk in chunks that are never moved, and copies
// them once into the result.
class TextOut {
public:
    void append(const apString::codepoint* units, size_t count)
    {
        while (count > 0) {
            if (used_ == kChunk || chunks_.empty()) {
                // Owned before the list grows: a list that cannot grow
                // must not leave the chunk behind.
                std::unique_ptr<apString::codepoint[]> chunk(new apString::codepoint[kChunk]);
                chunks_.push_back(std::move(chunk));
                used_ = 0;
            }
            const size_t n = count < kChunk - used_ ? count : kChunk - used_;
            std::memcpy(chunks_.back().get() + used_, units, n * sizeof(apString::codepoint));
            used_ += n;
            units += n;
            count -= n;
        }
    }
    void append_escaped(const apString& text, bool attribute)
    {
        escape_walk(text, attribute, [this](const apString::codepoint* units, size_t count) {
            append(units, count);
        });
    }
    apString result() const
    {
        if (chunks_.empty() || (chunks_.size() == 1 && used_ == 0))
            return apString::empty_string();
        const size_t total = (chunks_.size() - 1) * kChunk + used_;
        apString::codepoint* block = apString::allocate(total);
        for (size_t i = 0; i < chunks_.size(); ++i) {
            const size_t n = i + 1 < chunks_.size() ? kChunk : used_;
            std::memcpy(block + i * kChunk, chunks_[i].get(), n * sizeof(apString::codepoint));
        }
        return apString::adopt(block, total);
    }

private:
    static const size_t kChunk = 16 * 1024;
    std::vector<std::unique_ptr<apString::codepoint[]>> chunks_;
    size_t used_ = 0;
};

// Writes the text of a walk to a stream as UTF-8, a buffer at a time, so
// that no copy of the whole text is made.
class Utf8StreamOut {
public:
    explicit Utf8StreamOut(std::ostream& out) : out_(out), used_(0) {}
    ~Utf8StreamOut() { flush(); }

    void append(const apString::codepoint* units, size_t count)
    {
        while (count > 0) {
            // Four bytes at most per code point.
            size_t n = (kBuffer - used_) / 4;
            if (n == 0) {
                flush();
                continue;
            }
            if (n > count)
                n = count;
            unsigned char* end = unicode::utf8_encode(units, n, buffer_ + used_);
            used_ = static_cast<size_t>(end - buffer_);
            units += n;
            count -= n;
        }
    }
    void append_escaped(const apString& text, bool attribute)
    {
        escape_walk(text, attribute, [this](const apString::codepoint* units, size_t count) {
            append(units, count);
        });
    }
    void flush()
    {
        if (used_ > 0)
            out_.write(reinterpret_cast<const char*>(buffer_), static_cast<std::streamsize>(used_));
        used_ = 0;
    }

private:
    static const size_t kBuffer = 64 * 1024;
    std::ostream& out_;
    unsigned char buffer_[kBuffer];
    size_t used_;
};

// Only tells whether the text of a walk has a character above U+007F.
// Escaping adds only ASCII, so the texts are looked at as they are.
class NonAsciiOut {
public:
    void append(const apString::codepoint* units, size_t count)
    {
        for (size_t i = 0; i < count; ++i)
            found_ |= units[i] > 0x7F;
    }
    void append_escaped(const apString& text, bool) { append(text.data(), text.length()); }
    bool found() const { return found_; }

private:
    bool found_ = false;
};

template <class Out>
class Walk {
public:
    explicit Walk(Out& out) : out_(out), markup_(markup()) {}

    void run(const xmlNode* root)
    {
        // A complete walk lowers the depth as often as it raises it; one
        // that an allocation failure ends must not leave it raised for
        // every later serialization.
        struct DepthRestore {
            int depth = indentation_depth;
            ~DepthRestore() { indentation_depth = depth; }
        } restore;
        open(root);
        while (!stack_.empty()) {
            Frame& frame = stack_.back();
            const xmlNode* child = frame.next;
            if (child == nullptr) {
                Frame done = frame;
                stack_.pop_back();
                close(done);
                continue;
            }
            if (frame.map)
                frame.next = frame.map->item(++frame.map_index);
            else
                frame.next = child->next_sibling();
            before_child(frame, child);
            frame.previous = child;
            open(child); // may grow the stack: `frame` is not used after this
        }
    }

private:
    void add(const apString& piece)
    {
        if (!piece.is_null())
            out_.append(piece.data(), piece.length());
    }

    void push_children(const xmlNode* node, const xmlNode* first)
    {
        stack_.push_back(Frame{node, first, nullptr, nullptr, 0, false});
    }

    // A line feed and the indentation of `depth` blanks, one piece per depth.
    const apString& line_break(int depth)
    {
        size_t index = depth > 0 ? static_cast<size_t>(depth) : 0;
        if (breaks_.size() <= index)
            breaks_.resize(index + 1);
        if (breaks_[index].is_null()) {
            apString::codepoint* block = apString::allocate(index + 1);
            block[0] = '\n';
            for (size_t i = 1; i <= index; ++i)
                block[i] = ' ';
            breaks_[index] = apString::adopt(block);
        }
        return breaks_[index];
    }

    void before_child(Frame& frame, const xmlNode* child)
    {
        const Markup& m = markup_;
        switch (frame.node->node_type()) {
        case DOCUMENT_NODE:
            if (frame.previous)
                add(m.line_feed);
            break;
        case ELEMENT_NODE:
            if (!continues_line(child) && !(frame.previous && continues_line(frame.previous))) {
                add(line_break(indentation_depth));
                frame.line_broken = true;
            }
            break;
        case DOCUMENT_TYPE_NODE:
            add(m.subset_entry);
            break;
        default:
            break;
        }
    }

    void add_identifiers(const apString& public_id, const apString& system_id)
    {
        const Markup& m = markup_;
        if (!public_id.is_empty()) {
            add(m.public_keyword);
            add(m.blank_quote);
            add(public_id);
            add(m.quote);
        } else {
            add(m.system_keyword);
        }
        if (!system_id.is_empty()) {
            add(m.blank_quote);
            add(system_id);
            add(m.quote);
        }
    }

    void open_element(const xmlElement* element)
    {
        const Markup& m = markup_;
        add(m.lt);
        add(element->node_name());
        const xmlNamedNodeMap* attributes = element->attributes_if_any();
        int count = attributes ? attributes->length() : 0;
        for (int i = 0; i < count; ++i) {
            add(m.blank);
            open(attributes->item(i));
        }
        const xmlNode* first = element->first_child();
        if (first == nullptr) {
            add(m.empty_end);
            return;
        }
        add(m.gt);
        indentation_depth += 2;
        push_children(element, first);
    }

    void open_document_type(const xmlDocumentType* doctype)
    {
        const Markup& m = markup_;
        add(m.doctype_start);
        add(doctype->node_name());
        add(m.blank);
        add_identifiers(doctype->public_id(), doctype->system_id());
        const xmlNamedNodeMap* entities = doctype->entities();
        if (entities == nullptr || entities->length() == 0) {
            add(m.gt);
            return;
        }
        add(m.subset_start);
        stack_.push_back(Frame{doctype, entities->item(0), nullptr, entities, 0, false});
    }

    void open_entity(const xmlEntity* entity)
    {
        const Markup& m = markup_;
        add(m.entity_start);
        unsigned int kind = entity->kind();
        if (kind == ParameterEntity)
            add(m.parameter_mark);
        add(entity->node_name());
        add(m.blank);
        if (kind == InternalEntity || kind == ParameterEntity) {
            add(m.quote);
            push_children(entity, entity->first_child());
            return;
        }
        add_identifiers(entity->public_id(), entity->system_id());
        if (kind == UnparsedEntity) {
            add(m.ndata);
            add(entity->notation_name());
        }
        add(m.gt);
    }

    void open_reference(const xmlEntityReference* reference)
    {
        const Markup& m = markup_;
        const xmlDocument* document = reference->owner_document();
        if (reference->entity() && document && document->expand_entity_references()) {
            push_children(reference, reference->entity()->first_child());
            return;
        }
        add(m.ampersand);
        add(reference->node_name());
        add(m.semicolon);
    }

    void open(const xmlNode* node)
    {
        const Markup& m = markup_;
        switch (node->node_type()) {
        case DOCUMENT_NODE:
        case DOCUMENT_FRAGMENT_NODE:
            push_children(node, node->first_child());
            break;
        case ELEMENT_NODE:
            open_element(static_cast<const xmlElement*>(node));
            break;
        case ATTRIBUTE_NODE: {
            add(node->node_name());
            add(m.equals_quote);
            // Mostly one text child, whose value is the attribute's text.
            const xmlNode* only = node->first_child();
            if (only && only->node_type() == TEXT_NODE && only->next_sibling() == nullptr)
                out_.append_escaped(only->stored_value(), true);
            else
                out_.append_escaped(node->text(), true);
            add(m.quote);
            break;
        }
        case TEXT_NODE:
            out_.append_escaped(node->stored_value(), false);
            break;
        case CDATA_SECTION_NODE:
            add(m.cdata_start);
            add(node->stored_value());
            add(m.cdata_end);
            break;
        case COMMENT_NODE:
            add(m.comment_start);
            add(node->node_value().replace_all(m.comment_end, m.comment_end_escaped));
            add(m.comment_end);
            break;
        case PROCESSING_INSTRUCTION_NODE:
            add(m.pi_start);
            add(node->node_name());
            add(m.blank);
            out_.append_escaped(node->node_value(), false);
            add(m.pi_end);
            break;
        case DOCUMENT_TYPE_NODE:
            open_document_type(static_cast<const xmlDocumentType*>(node));
            break;
        case ENTITY_NODE:
            open_entity(static_cast<const xmlEntity*>(node));
            break;
        case ENTITY_REFERENCE_NODE:
            open_reference(static_cast<const xmlEntityReference*>(node));
            break;
        default:
            break;
        }
    }

    void close(const Frame& frame)
    {
        const Markup& m = markup_;
        switch (frame.node->node_type()) {
        case ELEMENT_NODE:
            indentation_depth -= 2;
            if (frame.line_broken)
                add(line_break(indentation_depth));
            add(m.end_tag);
            add(frame.node->node_name());
            add(m.gt);
            break;
        case DOCUMENT_TYPE_NODE:
            add(m.subset_end);
            add(m.gt);
            break;
        case ENTITY_NODE:
            add(m.quote);
            add(m.gt);
            break;
        default:
            break;
        }
    }

    Out& out_;
    const Markup& markup_;
    std::vector<Frame> stack_;
    std::vector<apString> breaks_;
};

} // namespace

apString escape_text(const apString& text)
{
    return escape(text, false);
}

apString escape_attribute(const apString& text)
{
    return escape(text, true);
}

apString xml_serialize(const xmlNode* node)
{
    TextOut out;
    Walk<TextOut>(out).run(node);
    return out.result();
}

void xml_serialize_utf8(const xmlNode* node, std::ostream& out)
{
    std::unique_ptr<Utf8StreamOut> sink(new Utf8StreamOut(out)); // its buffer is large
    Walk<Utf8StreamOut>(*sink).run(node);
    sink->flush();
}

bool xml_serializes_non_ascii(const xmlNode* node)
{
    NonAsciiOut out;
    Walk<NonAsciiOut>(out).run(node);
    return out.found();
}

int xml_indentation_depth()
{
    return indentation_depth;
}

apString xmlDocument::serialize() const { return xml_serialize(this); }
apString xmlElement::serialize() const { return xml_serialize(this); }
apString xmlAttr::serialize() const { return xml_serialize(this); }
apString xmlText::serialize() const { return xml_serialize(this); }
apString xmlCDATASection::serialize() const { return xml_serialize(this); }
apString xmlComment::serialize() const { return xml_serialize(this); }
apString xmlProcessingInstruction::serialize() const { return xml_serialize(this); }
apString xmlDocumentFragment::serialize() const { return xml_serialize(this); }
apString xmlDocumentType::serialize() const { return xml_serialize(this); }
apString xmlEntity::serialize() const { return xml_serialize(this); }
apString xmlEntityReference::serialize() const { return xml_serialize(this); }
