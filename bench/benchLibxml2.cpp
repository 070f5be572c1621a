#include "benchLibxml2.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlsave.h>

namespace bench {

void libxml2_prepare()
{
    xmlInitParser();
}

void* libxml2_load(const std::string& bytes)
{
    return xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr, XML_PARSE_NONET);
}

void libxml2_free(void* document)
{
    xmlFreeDoc(static_cast<xmlDocPtr>(document));
}

size_t libxml2_save_size(void* document)
{
    size_t count = 0;
    auto counted = [](void* context, const char*, int length) {
        *static_cast<size_t*>(context) += static_cast<size_t>(length);
        return length;
    };
    xmlSaveCtxtPtr save = xmlSaveToIO(counted, nullptr, &count, nullptr, 0);
    if (save == nullptr)
        return 0;
    xmlSaveDoc(save, static_cast<xmlDocPtr>(document));
    xmlSaveClose(save);
    return count;
}

void libxml2_allocate_with(void* (*allocate)(size_t), void (*release)(void*), void* (*resize)(void*, size_t),
                           char* (*duplicate)(const char*))
{
    xmlMemSetup(release, allocate, resize, duplicate);
}

} // namespace bench
