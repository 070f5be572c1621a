#include "requests/qliAnswerRules.h"

#include <new>

#include "core/coDList.h"
#include "core/itIterator.h"
#include "xml/xmlDocument.h"
#include "xml/xmlElement.h"

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

qliAnswerVerdict check_answer(const xmlDocument& document, std::vector<apString>& values)
{
    qliAnswerVerdict verdict;
    xmlElement* root = document.document_element();
    if (root == nullptr) {
        verdict.rule = qliAnswerRule::no_root;
        return verdict;
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
    int number = 0;
    while (++type) {
        ++number;
        xmlElement* carrier = first_element_child(type());
        if (carrier == nullptr) {
            verdict.rule = qliAnswerRule::type_without_element;
            verdict.type_number = number;
            return verdict;
        }
        apString value = carrier->text();
        if (value.is_empty()) {
            verdict.rule = qliAnswerRule::empty_value;
            verdict.type_number = number;
            verdict.value_element = carrier->node_name();
            return verdict;
        }
        values.push_back(value);
    }
    return verdict;
}
