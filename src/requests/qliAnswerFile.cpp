#include "requests/qliAnswerFile.h"

#include <memory>
#include <new>

#include "core/coDList.h"
#include "xml/xmlDocument.h"
#include "xml/xmlElement.h"
#include "xml/xmlParser.h"

namespace {

const apString& type_name()
{
    static const apString name("Type");
    return name;
}

// The first child that is an element, skipping text, comments and the rest.
xmlElement* first_element_child(xmlNode* node)
{
    const xmlNodeList* children = node->child_nodes();
    for (xmlNodecoDLink* link = children->first_link(); link; link = children->next_link(link)) {
        xmlNode* child = link->read();
        if (child->node_type() == ELEMENT_NODE)
            return static_cast<xmlElement*>(child);
    }
    return nullptr;
}

} // namespace

qliAnswerFile::qliAnswerFile(std::istream& in) : invalid_(false)
{
    xmlParser parser;
    std::unique_ptr<xmlDocument> document(parser.load_document(in));
    if (!document) {
        invalid_ = true;
        return;
    }
    xmlElement* root = document->document_element();
    if (root == nullptr) {
        invalid_ = true;
        return;
    }
    xmlElementcoDListPtrcoPtrcoDList types;
    const xmlNodeList* children = root->child_nodes();
    for (xmlNodecoDLink* link = children->first_link(); link; link = children->next_link(link)) {
        xmlNode* child = link->read();
        // The list answers 0 when it cannot make a link: that is an
        // allocation failure, and a value left out would pass for an answer.
        if (child->node_type() == ELEMENT_NODE && child->node_name() == type_name() &&
            !types.append(static_cast<xmlElement*>(child)))
            throw std::bad_alloc();
    }
    itIterator<xmlElement*> type(types);
    while (++type) {
        xmlElement* carrier = first_element_child(type());
        if (carrier == nullptr) {
            invalid_ = true;
            return;
        }
        apString value = carrier->text();
        if (value.is_empty()) {
            invalid_ = true;
            return;
        }
        values_.push_back(value);
    }
}

qliAnswerFile::~qliAnswerFile() = default;

bool qliAnswerFile::invalid() const
{
    return invalid_;
}

itIterator<apString> qliAnswerFile::answer_values() const
{
    return itIterator<apString>(values_);
}

void qliAnswerFile::answer_values(coiFiller<apString> filler) const
{
    for (const apString& value : values_)
        filler.add(value);
}
