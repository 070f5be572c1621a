#include "xml/xmlDeclaration.h"

#include "core/utString.h"
#include "xml/xmlDocument.h"
#include "xml/xmlProcessingInstruction.h"

namespace {

const char kEncodingStart[] = "encoding=\"";

xmlNode* declaration(const xmlDocument* document)
{
    xmlNode* first = document->first_child();
    if (first && first->node_type() == PROCESSING_INSTRUCTION_NODE && first->node_name() == apString("xml"))
        return first;
    return nullptr;
}

// Where the name starts in the data (just after the opening quote) and where
// it ends (the closing quote, or the end of the data when there is none).
// False when the data has no encoding="...".
bool find_name(const apString& data, apString::iterator* start, apString::iterator* end)
{
    apString opening(kEncodingStart);
    apString::iterator at = data.find(opening);
    if (at == data.end())
        return false;
    *start = at + static_cast<ptrdiff_t>(opening.length());
    *end = data.at(data.find_char('"', start->index()));
    return true;
}

} // namespace

apEncodingDescriptor declared_encoding(const xmlDocument* document)
{
    const xmlNode* pi = declaration(document);
    if (pi == nullptr)
        return apEncodingDescriptor();
    apString data = pi->node_value();
    apString::iterator start, end;
    if (data.is_null() || !find_name(data, &start, &end) || end == data.end())
        return apEncodingDescriptor();
    return apEncodingDescriptor::from_name(utString(data.sub(start, end).utf8_str()));
}

void set_declared_encoding(xmlDocument* document, const apEncodingDescriptor& encoding)
{
    apString name(encoding.name().c_str());
    if (name.is_null())
        name = apString::empty_string();
    xmlNode* pi = declaration(document);
    if (pi) {
        apString data = pi->node_value();
        if (data.is_null())
            data = apString::empty_string();
        apString::iterator start, end;
        if (!find_name(data, &start, &end)) {
            pi->set_node_value(data + apString(" ") + apString(kEncodingStart) + name + apString("\""));
        } else if (end != data.end()) {
            pi->set_node_value(data.head(start) + name + data.tail(end));
        }
        return;
    }
    apString fresh = apString("version=\"1.0\" ") + apString(kEncodingStart) + name + apString("\"");
    xmlNode* created = document->create_processing_instruction(apString("xml"), fresh);
    xmlNode* first = document->first_child();
    if (first)
        document->insert_before(created, first);
    else
        document->append_child(created);
}
