// The kinds of node in a document tree, by their fixed numeric codes.
#ifndef QEL_XML_XMLNODETYPE_H
#define QEL_XML_XMLNODETYPE_H

enum xmlNodeType : unsigned int {
    ELEMENT_NODE = 1,
    ATTRIBUTE_NODE = 2,
    TEXT_NODE = 3,
    CDATA_SECTION_NODE = 4,
    ENTITY_REFERENCE_NODE = 5,
    ENTITY_NODE = 6,
    PROCESSING_INSTRUCTION_NODE = 7,
    COMMENT_NODE = 8,
    DOCUMENT_NODE = 9,
    DOCUMENT_TYPE_NODE = 10,
    DOCUMENT_FRAGMENT_NODE = 11,
    NOTATION_NODE = 12 // no class: nothing creates notation nodes
};

// The kinds that may stand in an element's content (and so in a fragment
// or an entity's replacement).
inline bool xml_is_content_type(unsigned int type)
{
    switch (type) {
    case ELEMENT_NODE:
    case TEXT_NODE:
    case CDATA_SECTION_NODE:
    case ENTITY_REFERENCE_NODE:
    case PROCESSING_INSTRUCTION_NODE:
    case COMMENT_NODE:
        return true;
    default:
        return false;
    }
}

#endif
