#include "requests/qliRequestFile.h"

#include "core/apEncodingDescriptor.h"
#include "files/apPath.h"
#include "requests/exchangeFiles.h"
#include "xml/xmlDocumentWriter.h"
#include "xml/xmlElement.h"

qliRequestFile::qliRequestFile(apString const& request_element_name,
                               itIterator<qliParameter> parameters)
    : document_(apEncodingDescriptor::from_code_page(1252))
{
    xmlElement* root = document_.create_element(request_element_name);
    while (++parameters)
        root->append_child(parameters().element(document_).get());
    document_.append_child(root);
}

qliRequestFile::~qliRequestFile() = default;

bool qliRequestFile::write(std::ostream& out)
{
    xmlDocumentWriter writer(&document_);
    return writer.write(out);
}

bool qliRequestFile::write(apPath const& file)
{
    std::unique_ptr<std::ostream> out = exchange::create_request(file);
    if (!out->good())
        return false;
    return write(*out);
}
