#include "exchangeFiles.h"

#include <memory>

#include "core/apEncodingDescriptor.h"
#include "files/apIFileOperations.h"
#include "files/apPath.h"
#include "xml/xmlDocument.h"
#include "xml/xmlDocumentWriter.h"
#include "xml/xmlElement.h"
#include "xml/xmlParser.h"

namespace techprog {

std::string value(const Parameters& parameters, const char* name)
{
    auto found = parameters.find(name);
    return found == parameters.end() ? std::string() : found->second;
}

bool read_request(const apPath& file, Parameters& parameters)
{
    // The library writes the request in ASCII, or in code page 1252 with a
    // declaration that says so; the loader tells the two apart.
    // Opened through the library's file operations, which name files as the
    // system does (UTF-16, or UTF-8 bytes on POSIX) whatever the locale.
    std::unique_ptr<std::istream> in;
    if (!file.operations()->open_input(file, in).ok())
        return false;
    xmlParser parser;
    std::unique_ptr<xmlDocument> document(parser.load_document(*in));
    if (!document)
        return false;
    xmlElement* root = document->document_element();
    if (!root)
        return false;
    for (xmlNode* child = root->first_child(); child; child = child->next_sibling())
        if (child->node_type() == ELEMENT_NODE)
            parameters[child->node_name().utf8_str()] = child->text().utf8_str();
    return true;
}

bool write_answer(const apPath& file, const char* root, const char* value_element,
                  const std::vector<std::string>& values)
{
    // A UTF-8 document: the writer adds a declaration naming UTF-8 only when
    // a value is not ASCII, which is what the library's loader expects.
    xmlDocument document(apEncodingDescriptor::from_kind(apEncodingDescriptor::kind_utf8));
    xmlElement* answer = document.create_element(root);
    for (const std::string& text : values) {
        xmlElement* type = document.create_element("Type");
        xmlElement* value = document.create_element(value_element);
        value->set_text(apString(text.c_str()));
        type->append_child(value);
        answer->append_child(type);
    }
    document.append_child(answer);

    std::unique_ptr<std::ostream> out;
    if (!file.operations()->open_output(file, out).ok())
        return false;
    xmlDocumentWriter writer(&document);
    bool written = writer.write(*out);
    out->flush();
    return written && !out->fail();
}

} // namespace techprog
